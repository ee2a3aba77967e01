// Eigenvalues: order 2 in closed form, the norm bound, Sturm counts and the bisection.
#include "eigen/eigenvalues.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "eigen/column_matrix.hpp"
#include "eigen_support.hpp"

namespace molframe {
namespace {

using test::bits;
using test::kMarker;

/// WK for a tridiagonal T: d in column 6, e in column 1, and e(i)^2 in column 2.
struct TridiagonalWork {
    int32_t N;
    std::vector<float> storage;
    ColumnMatrix WK;

    TridiagonalWork(const std::vector<float>& d, const std::vector<float>& e)
        : N(static_cast<int32_t>(d.size())), storage(6 * d.size(), 0.0f), WK{storage.data(), N} {
        for (int32_t i = 1; i <= N; ++i) WK(i, 6) = d[static_cast<std::size_t>(i - 1)];
        for (int32_t i = 1; i <= N - 1; ++i) {
            WK(i, 1) = e[static_cast<std::size_t>(i - 1)];
            WK(i, 2) = WK(i, 1) * WK(i, 1);
        }
    }
};

TEST(SturmCount, CountsEigenvaluesAtOrAboveTheTrialValue) {
    const struct {
        const char* what;
        std::vector<float> d;
        std::vector<float> e;
        float x;
        int32_t count;
    } rows[] = {
        // T = [[2, 1, 0], [1, 2, 1], [0, 1, 2]]: eigenvalues 2 - sqrt 2, 2, 2 + sqrt 2
        {"below all", {2, 2, 2}, {1, 1}, 0.5f, 3},
        {"between the lower two", {2, 2, 2}, {1, 1}, 1.0f, 2},
        {"between the upper two", {2, 2, 2}, {1, 1}, 3.0f, 1},
        {"above all", {2, 2, 2}, {1, 1}, 3.5f, 0},
        {"diagonal, value met", {3, 1, 2}, {0, 0}, 2.0f, 2},
        // [[0, 1], [1, 5]] has one eigenvalue >= 0, and 1 is the third: the exact zero of row 1
        // counts and row 2 (minus infinity) is passed over
        {"exact zero", {0, 5, 1}, {1, 0}, 0.0f, 2},
        // row 2 is 0 - 1e10/(-1e-30), beyond the range: it counts, and row 3 starts a new chain
        {"overflow", {-1.0E-30f, 0, 1}, {1.0E5f, 1.0E5f}, 0.0f, 2},
        // the overflowed value counts as non-negative whatever its sign (here -infinity)
        {"overflow downwards", {1.0E-30f, 0, 0}, {1.0E5f, 0}, 0.0f, 3},
    };
    for (const auto& row : rows) {
        TridiagonalWork t(row.d, row.e);
        EXPECT_EQ(sturmCount(t.WK, t.N, row.x), row.count) << row.what;
    }
}

TEST(NormBound, LargestAbsoluteRowSumOfTheTridiagonal) {
    const struct {
        std::vector<float> d;
        std::vector<float> e;
        float bound;
    } rows[] = {
        {{1, -5, 2}, {2, -1}, 8.0f},     // the middle row
        {{-6, 1, 2}, {0.5f, 1}, 6.5f},   // the first row
        {{1, 1, -4}, {0.5f, -3}, 7.0f},  // the last row
    };
    for (const auto& row : rows) {
        TridiagonalWork t(row.d, row.e);
        EXPECT_EQ(tridiagonalNormBound(t.WK, t.N), row.bound);
    }
}

TEST(Bisection, FindsTheLargestOrTheSmallestFirst) {
    // T = [[2, 1, 0], [1, 2, 1], [0, 1, 2]]
    const double root2 = std::sqrt(2.0);
    const struct {
        int32_t NE;
        std::vector<double> values;
    } rows[] = {
        {3, {2 + root2, 2, 2 - root2}},
        {-3, {2 - root2, 2, 2 + root2}},
        {-1, {2 - root2}},
    };
    for (const auto& row : rows) {
        TridiagonalWork t({2, 2, 2}, {1, 1});
        std::vector<float> E(4, kMarker);
        const float tau = bisectEigenvalues(t.WK, t.N, row.NE, 1.0E-7f, E.data());
        EXPECT_EQ(tau, 1.0E-6f * 4.0f);
        for (std::size_t k = 0; k < row.values.size(); ++k) {
            EXPECT_NEAR(E[k], row.values[k], 1e-6) << "NE " << row.NE << ", E(" << k + 1 << ")";
        }
        EXPECT_EQ(E[row.values.size()], kMarker) << "NE " << row.NE;
    }
}

TEST(Bisection, EndsWhenTheBoundIsNotANumber) {
    // the row sums overflow, so B is infinite and every midpoint is not a number: with EPS = 0
    // no stopping test holds, and each search ends after its last pass
    const float big = 3.0E38f;
    TridiagonalWork t({big, big, big}, {big, big});
    std::vector<float> E(3, kMarker);
    bisectEigenvalues(t.WK, t.N, 3, 0.0f, E.data());
    for (float value : E) EXPECT_TRUE(std::isnan(value));
}

TEST(ClosedForm, OrderTwo) {
    const float sqrt5 = std::sqrt(5.0f);
    const struct {
        const char* what;
        float a11, a21, a22;
        int32_t NE;
        std::vector<float> values;
        int32_t ulps;
    } rows[] = {
        {"largest first", 2, 1, 3, 2, {3.618034f, 1.381966f}, 2},
        {"smallest first", 2, 1, 3, -2, {1.381966f, 3.618034f}, 2},
        {"one value", 2, 1, 3, 1, {3.618034f}, 2},
        {"zero trace, smallest wanted", 2, 1, -2, -2, {sqrt5, -sqrt5}, 1},
        {"zero trace, largest wanted", 2, 1, -2, 2, {sqrt5, -sqrt5}, 1},
        {"negative", -2, 1, -3, 2, {-1.381966f, -3.618034f}, 2},
        {"zero matrix", 0, 0, 0, 2, {0.0f, 0.0f}, 0},
        // h·h - D comes out -2^-23: taken as 0, both values stay numbers
        {"equal by rounding", 1.0f + 0x1p-23f, 0, 1, 2, {1.0f, 1.0f + 0x1p-23f}, 0},
    };
    for (const auto& row : rows) {
        std::vector<float> storage{row.a11, row.a21, kMarker, row.a22};
        std::vector<float> work(12, kMarker);
        std::vector<float> E(3, kMarker);
        const float tau = closedFormEigenvalues(ColumnMatrix{storage.data(), 2}, row.NE,
                                                ColumnMatrix{work.data(), 2}, E.data());
        for (std::size_t k = 0; k < row.values.size(); ++k) {
            const float ulp =
                std::nextafter(std::fabs(row.values[k]), 1.0E30f) - std::fabs(row.values[k]);
            EXPECT_NEAR(E[k], row.values[k], row.ulps * ulp) << row.what << ", E(" << k + 1 << ")";
        }
        EXPECT_EQ(E[row.values.size()], kMarker) << row.what;
        EXPECT_EQ(work[0], row.a21) << row.what;
        const float bound = std::fmax(std::fabs(row.a11), std::fabs(row.a22)) + std::fabs(row.a21);
        EXPECT_EQ(tau, 1.0E-6f * bound) << row.what;
    }
}

TEST(ClosedForm, ZeroMatrixGivesPositiveZeros) {
    std::vector<float> storage{0, 0, 0, 0};
    std::vector<float> work(12, kMarker);
    std::vector<float> E(2, kMarker);
    for (const int32_t NE : {2, -2}) {
        closedFormEigenvalues(ColumnMatrix{storage.data(), 2}, NE, ColumnMatrix{work.data(), 2},
                              E.data());
        EXPECT_EQ(bits(E[0]), 0u);
        EXPECT_EQ(bits(E[1]), 0u);
    }
}

}  // namespace
}  // namespace molframe
