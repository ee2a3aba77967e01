// Back-transformation through the reflections, and its guard against overflow.
#include "eigen/back_transformation.hpp"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <vector>

#include "eigen/column_matrix.hpp"
#include "eigen/eigenvalues.hpp"
#include "eigen/eigenvectors.hpp"
#include "eigen/inverse_iteration.hpp"
#include "eigen/reduction.hpp"
#include "eigen_support.hpp"

namespace molframe {
namespace {

using test::bits;

bool allFinite(const std::vector<float>& v) {
    for (float value : v) {
        if (!std::isfinite(value)) return false;
    }
    return true;
}

/// A 3 by 3 matrix taken as far as the solved vectors of inverse iteration, before they are
/// carried back: the reflections in A, h(K) in WK column 1, the solved vectors in V.
struct SolvedVectors {
    static constexpr int32_t N = 3;
    std::vector<float> matrix;
    std::vector<float> work = std::vector<float>(6 * N, 0.0f);
    std::vector<float> vectors = std::vector<float>(N * N, 0.0f);
    std::vector<float> E = std::vector<float>(N, 0.0f);
    std::vector<int32_t> IW = std::vector<int32_t>(N, 0);
    ColumnMatrix A{nullptr, N};
    ColumnMatrix WK{work.data(), N};
    ColumnMatrix V{vectors.data(), N};

    explicit SolvedVectors(const std::vector<float>& columns) : matrix(columns) {
        A.base = matrix.data();
        reduceToTridiagonal(A, N, WK);
        const float tau = bisectEigenvalues(WK, N, N, 1.0E-8f, E.data());
        WK(N, 1) = 0.0f;
        int32_t state = kGeneratorSeed;
        for (int32_t j = 1; j <= N; ++j) {
            inverseIteration(WK, N, E[static_cast<std::size_t>(j - 1)],
                             !startsRun(E.data(), j, tau), state, IW.data(), V.column(j));
        }
        storeReflectionScales(A, N, WK);
    }
    std::vector<float> solved(int32_t j) const { return {V.column(j), V.column(j) + N}; }
};

// Two equal diagonal elements with a coupling of 2^-14: the eigenvalues 1 + 2^-14 and 1 - 2^-14
// are met exactly, their solved vectors reach about 1e35, and carrying them back overflows.
const std::vector<float> kTinyCoupling{1, 0x1p-14f, 0, 0x1p-14f, 1, 0, 0, 0, 2};

TEST(BackTransformation, UnguardedOverflowsWhereGuardedDoesNot) {
    SolvedVectors s(kTinyCoupling);
    int32_t overflowing = 0;
    for (int32_t j = 1; j <= 3; ++j) {
        const std::vector<float> solved = s.solved(j);
        ASSERT_TRUE(allFinite(solved));
        std::vector<float> unguarded = solved;
        carryBack(s.A, 3, s.WK, unguarded.data());
        if (allFinite(unguarded)) continue;
        ++overflowing;

        // flags raised before the back-transformation stay; those of the overflow are withdrawn
        std::feclearexcept(FE_ALL_EXCEPT);
        std::feraiseexcept(FE_DIVBYZERO);
        std::vector<float> guarded = solved;
        carryBackGuarded(s.A, 3, s.WK, guarded.data());
        EXPECT_NE(std::fetestexcept(FE_DIVBYZERO), 0) << "vector " << j;
        EXPECT_EQ(std::fetestexcept(FE_OVERFLOW | FE_INVALID), 0) << "vector " << j;
        std::feclearexcept(FE_ALL_EXCEPT);

        ASSERT_TRUE(allFinite(guarded)) << "vector " << j;
        // an eigenvector of A = [[1, c, 0], [c, 1, 0], [0, 0, 2]] for 1 + c or 1 - c
        scaleByLargest(guarded.data(), 3);
        EXPECT_EQ(std::fabs(guarded[1]), 1.0f) << "vector " << j;
        EXPECT_EQ(guarded[2], 0.0f) << "vector " << j;
    }
    EXPECT_EQ(overflowing, 2);
}

TEST(BackTransformation, GuardChangesNothingThatStaysFinite) {
    // large but harmless vectors, and one that is not finite to begin with
    SolvedVectors s({4, 1, 2, 1, 3, 0.5f, 2, 0.5f, 1});
    const std::vector<float> inputs[] = {
        {3.0f, -5.0f, 7.0f}, {1.0e30f, 2.0e30f, -1.0e30f}, {0.25f, 0.5f, 1.5f}, {1.0f, NAN, 2.0f}};
    for (const auto& input : inputs) {
        std::vector<float> unguarded = input;
        std::vector<float> guarded = input;
        carryBack(s.A, 3, s.WK, unguarded.data());
        carryBackGuarded(s.A, 3, s.WK, guarded.data());
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(bits(guarded[i]), bits(unguarded[i]));
    }
}

TEST(BackTransformation, CarriesAnEigenvectorOfTBackToOneOfA) {
    // T's eigenvector of the largest eigenvalue 5.5, carried back, is (2, 1, 1)/sqrt 6
    SolvedVectors s({4, 1, 2, 1, 3, 0.5f, 2, 0.5f, 1});
    std::vector<float> v = s.solved(1);
    carryBackGuarded(s.A, 3, s.WK, v.data());
    scaleByLargest(v.data(), 3);
    EXPECT_NEAR(v[0], 1.0, 1e-6);
    EXPECT_NEAR(v[1], 0.5, 1e-6);
    EXPECT_NEAR(v[2], 0.5, 1e-6);
}

}  // namespace
}  // namespace molframe
