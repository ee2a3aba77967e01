// Householder reduction to tridiagonal form: an orthogonal similarity on the lower part only.
#include "eigen/reduction.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "eigen/column_matrix.hpp"
#include "eigen_support.hpp"

namespace molframe {
namespace {

using test::bits;

/// A symmetric matrix in storage by columns with NaN above the diagonal, and its WK.
struct Reduction {
    int32_t N;
    std::vector<float> matrix;
    std::vector<float> work;
    ColumnMatrix A;
    ColumnMatrix WK;

    explicit Reduction(const std::vector<float>& rows)
        : N(static_cast<int32_t>(std::lround(std::sqrt(double(rows.size()))))),
          matrix(rows.size(), std::numeric_limits<float>::quiet_NaN()),
          work(6 * static_cast<std::size_t>(N), 0.0f),
          A{matrix.data(), N},
          WK{work.data(), N} {
        for (int32_t i = 1; i <= N; ++i) {
            for (int32_t j = 1; j <= i; ++j)
                A(i, j) = rows[static_cast<std::size_t>((i - 1) * N + j - 1)];
        }
    }
    float d(int32_t i) const { return WK(i, 6); }
    float e(int32_t i) const { return WK(i, 1); }
};

TEST(Reduction, KeepsTraceAndFrobeniusNorm) {
    // an orthogonal similarity keeps the trace and the sum of squares of all elements
    const int32_t n = 7;
    const std::vector<float> rows = test::symmetricRows(n, [](int32_t i, int32_t j) {
        return static_cast<float>(std::sin(1.3 * i + 0.7 * j) * (i == j ? 4.0 : 1.0));
    });
    double trace = 0.0;
    double squares = 0.0;
    for (int32_t i = 1; i <= n; ++i) {
        trace += rows[static_cast<std::size_t>((i - 1) * n + i - 1)];
        for (int32_t j = 1; j <= n; ++j) {
            const double value = rows[static_cast<std::size_t>((i - 1) * n + j - 1)];
            squares += value * value;
        }
    }
    Reduction r(rows);
    reduceToTridiagonal(r.A, n, r.WK);
    double tTrace = 0.0;
    double tSquares = 0.0;
    for (int32_t i = 1; i <= n; ++i) {
        tTrace += r.d(i);
        tSquares += double(r.d(i)) * r.d(i);
        if (i < n) tSquares += 2.0 * double(r.e(i)) * r.e(i);
    }
    EXPECT_NEAR(tTrace, trace, 1e-5 * std::sqrt(squares));
    EXPECT_NEAR(tSquares, squares, 1e-5 * squares);
    for (int32_t j = 2; j <= n; ++j) {
        for (int32_t i = 1; i < j; ++i) EXPECT_TRUE(std::isnan(r.A(i, j))) << i << "," << j;
    }
}

TEST(Reduction, FirstStepOfAWorkedExample) {
    // rows (4, 1, 2), (1, 3, 0.5), (2, 0.5, 1): s = 5, g = sqrt 5, e(1) = -g, u = (1 + g, 2)
    Reduction r({4, 1, 2, 1, 3, 0.5f, 2, 0.5f, 1});
    reduceToTridiagonal(r.A, 3, r.WK);
    const float g = static_cast<float>(std::sqrt(5.0));
    EXPECT_EQ(r.d(1), 4.0f);
    EXPECT_EQ(r.e(1), -g);
    EXPECT_EQ(r.A(2, 1), 1.0f + g);
    EXPECT_EQ(r.A(3, 1), 2.0f);
    // the trailing 2 by 2 block is P·[[3, 0.5], [0.5, 1]]·P with P = I - u·uT/h
    EXPECT_NEAR(r.d(2), 1.8, 1e-6);
    EXPECT_NEAR(r.d(3), 2.2, 1e-6);
    EXPECT_NEAR(std::fabs(r.e(2)), 1.1, 1e-6);
}

TEST(Reduction, ColumnAlreadyReducedStaysAsItWas) {
    const struct {
        const char* what;
        float below;  // A(2,1) = A(3,1)
    } rows[] = {
        {"zero column", 0.0f},
        // a column this small has no reflection in single precision (1/h beyond the range):
        // its couplings are dropped, below the rounding of the other elements
        {"column below 4E-20", 1.0E-20f},
    };
    for (const auto& row : rows) {
        Reduction r({5, row.below, row.below, row.below, 1, 2, row.below, 2, 3});
        reduceToTridiagonal(r.A, 3, r.WK);
        EXPECT_EQ(bits(r.e(1)), bits(0.0f)) << row.what;
        EXPECT_EQ(r.A(2, 1), row.below) << row.what;
        EXPECT_EQ(r.A(3, 1), row.below) << row.what;
        EXPECT_EQ(r.d(1), 5.0f) << row.what;
        EXPECT_EQ(r.d(2), 1.0f) << row.what;
        EXPECT_EQ(r.e(2), 2.0f) << row.what;
        EXPECT_EQ(r.d(3), 3.0f) << row.what;
    }
}

}  // namespace
}  // namespace molframe
