// Inverse iteration: the start-vector generator, the factorisation with row interchanges and the
// solves with their overflow recovery.
#include "eigen/inverse_iteration.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "eigen/column_matrix.hpp"

namespace molframe {
namespace {

TEST(StartVectorGenerator, FirstThreeDrawsOfACall) {
    int32_t state = kGeneratorSeed;
    const struct {
        int32_t state;
        float draw;
    } expected[] = {
        {-1829075453, -0.851729631f}, {-1806378345, -0.841160476f}, {-761006501, -0.354371279f}};
    for (const auto& row : expected) {
        EXPECT_EQ(nextDraw(state), row.draw);
        EXPECT_EQ(state, row.state);
    }
}

TEST(StartVectorGenerator, StateNearTheTopRoundsUpToOne) {
    // 1936639627·48828125 leaves 2^31 - 1, which converts to 2^31 in single precision
    int32_t state = 1936639627;
    EXPECT_EQ(nextDraw(state), 1.0f);
    EXPECT_EQ(state, std::numeric_limits<int32_t>::max());
}

/// A tridiagonal matrix of order N in WK: d in column 6, e in column 1 with e(N) = 0.
struct Tridiagonal {
    int32_t N;
    std::vector<float> storage;
    ColumnMatrix WK;
    std::vector<int32_t> IW;

    Tridiagonal(const std::vector<float>& d, const std::vector<float>& e)
        : N(static_cast<int32_t>(d.size())),
          storage(6 * d.size(), 0.0f),
          WK{storage.data(), N},
          IW(d.size(), -1) {
        for (int32_t i = 1; i <= N; ++i) WK(i, 6) = d[static_cast<std::size_t>(i - 1)];
        for (int32_t i = 1; i <= N - 1; ++i) WK(i, 1) = e[static_cast<std::size_t>(i - 1)];
        WK(N, 1) = 0.0f;
    }

    /// (T - shift·I)·x in double.
    std::vector<double> times(float shift, const std::vector<float>& x) const {
        std::vector<double> y(x.size());
        for (int32_t i = 1; i <= N; ++i) {
            double s = (double(WK(i, 6)) - shift) * x[static_cast<std::size_t>(i - 1)];
            if (i > 1) s += double(WK(i - 1, 1)) * x[static_cast<std::size_t>(i - 2)];
            if (i < N) s += double(WK(i, 1)) * x[static_cast<std::size_t>(i)];
            y[static_cast<std::size_t>(i - 1)] = s;
        }
        return y;
    }
};

TEST(ShiftedFactorisation, SolvesTheShiftedSystem) {
    // rows 1, 3 and 4 need interchanges (|e| above the pivot), rows 2 and 5 do not
    Tridiagonal t({0.5f, 4.0f, -0.25f, 1.0f, 3.0f, -2.0f}, {2.0f, 0.5f, 3.0f, -5.0f, 0.125f});
    const float shift = 0.75f;
    factoriseShifted(t.WK, t.N, shift, t.IW.data());
    EXPECT_EQ(t.IW, (std::vector<int32_t>{1, 0, 1, 1, 0, -1}));  // IW(N) is not written

    const std::vector<float> b{1.0f, -2.0f, 0.5f, 3.0f, -1.0f, 2.0f};
    std::vector<float> x = b;
    applyMultipliers(t.WK, t.N, t.IW.data(), x.data());
    backSubstitute(t.WK, t.N, x.data());
    const std::vector<double> y = t.times(shift, x);
    for (std::size_t i = 0; i < b.size(); ++i) EXPECT_NEAR(y[i], b[i], 1e-5) << "row " << i + 1;
}

TEST(ShiftedFactorisation, ZeroPivotBecomesTiny) {
    // d - shift is exactly 0 in every row, and e = 0: every pivot is replaced
    Tridiagonal t({2.0f, 2.0f, 2.0f}, {0.0f, 0.0f});
    factoriseShifted(t.WK, t.N, 2.0f, t.IW.data());
    for (int32_t i = 1; i <= 3; ++i) EXPECT_EQ(t.WK(i, 2), 1.0E-30f) << "row " << i;
    EXPECT_EQ(t.IW, (std::vector<int32_t>{0, 0, -1}));
}

TEST(BackSubstitution, RescalesWhileAValueOverflows) {
    // U = [[1, 0, 0], [0, 1e-30, 1], [0, 0, 1e-30]]: the solution of U·x = (1, 1, 1) is
    // (1, 1e30 - 1e60, 1e30), beyond single precision; it comes back scaled by powers of 1.0E-5
    Tridiagonal t({0, 0, 0}, {0, 0});
    t.WK(1, 2) = 1.0f;
    t.WK(2, 2) = 1.0E-30f;
    t.WK(3, 2) = 1.0E-30f;
    t.WK(2, 3) = 1.0f;
    std::vector<float> x{1.0f, 1.0f, 1.0f};
    backSubstitute(t.WK, t.N, x.data());
    for (float value : x) EXPECT_TRUE(std::isfinite(value));
    EXPECT_NEAR(x[1] / x[2], -1.0e30, 1.0e24);
    EXPECT_NEAR(x[0] / x[2], 1.0e-30, 1.0e-36);
}

TEST(BackSubstitution, GivesUpOnAnInfiniteRightHandSide) {
    // rescaling cannot bring an infinite right-hand side into range: after the last of the
    // rescalings the values are kept as they are (row 3 scaled away to 0, row 2 infinite)
    Tridiagonal t({0, 0, 0}, {0, 0});
    for (int32_t i = 1; i <= 3; ++i) t.WK(i, 2) = 1.0f;
    std::vector<float> x{1.0f, std::numeric_limits<float>::infinity(), 1.0f};
    backSubstitute(t.WK, t.N, x.data());
    EXPECT_EQ(x[2], 0.0f);
    EXPECT_TRUE(std::isinf(x[1]));
}

TEST(InverseIteration, ConvergesToTheEigenvectorOfTheShift) {
    // T = [[2, 1, 0], [1, 2, 1], [0, 1, 2]]: eigenvalue 2 - sqrt(2), vector (1, -sqrt(2), 1)/2
    Tridiagonal t({2.0f, 2.0f, 2.0f}, {1.0f, 1.0f});
    const float shift = static_cast<float>(2.0 - std::sqrt(2.0));
    std::vector<float> v(3);
    for (const bool draw : {false, true}) {
        int32_t state = kGeneratorSeed;
        inverseIteration(t.WK, t.N, shift, draw, state, t.IW.data(), v.data());
        EXPECT_EQ(state == kGeneratorSeed, !draw);
        EXPECT_NEAR(v[1] / v[0], -std::sqrt(2.0), 1e-6);
        EXPECT_NEAR(v[2] / v[0], 1.0, 1e-6);
    }
}

}  // namespace
}  // namespace molframe
