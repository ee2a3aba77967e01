#include "eigen/eigrs.hpp"

#include <bit>
#include <cmath>
#include <cstdlib>

#include "eigen/column_matrix.hpp"
#include "eigen/eigenvalues.hpp"
#include "eigen/eigenvectors.hpp"
#include "eigen/reduction.hpp"
#include "run/records.hpp"

namespace molframe {

namespace {

constexpr float kDefaultEps = 1.0E-6f;

/// Diagnostic 1: no eigenvalue asked for.
void reportZeroNE(int32_t NE) {
    writeConsole(
        "(1H0,'(SUBR. EIGRS) NE=',I5,', NE SHOULD BE NON-ZERO. RETURN WITH NO CALCULATION.' )", NE);
}

/// Diagnostic 2: the sizes break |NV| <= |NE| <= N <= N1.
void reportBadSizes(int32_t NV, int32_t NE, int32_t N, int32_t N1) {
    writeConsole(
        "(1H0,'(SUBR. EIGRS) NV=',I5,', NE=',I5,', N=',I5,', N1=',I5,1H,/1H ,'NV, NE, N, N1 "
        "SHOULD SATISFY THE FOLLOWING INEQUALITIES, !NV! <= !NE! <= N <= N1.' /1H ,'RETURN WITH "
        "NO CALCULATION.' )",
        NV, NE, N, N1);
}

/// |NV| <= |NE| <= N <= N1, the absolute values taken wide so that -2^31 has one.
bool sizesFit(int32_t N, int32_t N1, int32_t NE, int32_t NV) {
    const int64_t wantedValues = std::abs(static_cast<int64_t>(NE));
    const int64_t wantedVectors = std::abs(static_cast<int64_t>(NV));
    const bool vectorsFit = wantedVectors <= wantedValues;
    const bool valuesFit = wantedValues <= N;
    const bool orderFits = N <= N1;
    return vectorsFit && valuesFit && orderFits;
}

/// True when the diagonal and lower part of A hold only finite numbers.
bool lowerPartFinite(ColumnMatrix A, int32_t N) {
    for (int32_t j = 1; j <= N; ++j) {
        for (int32_t i = j; i <= N; ++i) {
            if (!std::isfinite(A(i, j))) return false;
        }
    }
    return true;
}

/// A matrix with an infinity or a NaN has no eigenvalues to search for: every result asked
/// for becomes the quiet NaN.
void markNotANumber(int32_t N, int32_t NE, int32_t NV, float* E, ColumnMatrix V) {
    const float quietNaN = std::bit_cast<float>(0x7FC00000u);
    for (int32_t k = 0; k < std::abs(NE); ++k) E[k] = quietNaN;
    for (int32_t j = 1; j <= std::abs(NV); ++j) {
        for (int32_t i = 1; i <= N; ++i) V(i, j) = quietNaN;
    }
}

}  // namespace

void EIGRS(float* A, int32_t N, int32_t N1, int32_t NE, int32_t NV, float& EPS, float* WK,
           int32_t* IW, float* E, float* V) {
    if (NE == 0) {
        reportZeroNE(NE);
        return;
    }
    if (!sizesFit(N, N1, NE, NV)) {
        reportBadSizes(NV, NE, N, N1);
        E[0] = 0.0f;
        return;
    }
    if (EPS < 0.0f) EPS = kDefaultEps;

    const ColumnMatrix matrix{A, N1};
    const ColumnMatrix vectors{V, N1};
    if (N == 1) {
        E[0] = A[0];
        if (NV != 0) V[0] = 1.0f;
        return;
    }
    if (!lowerPartFinite(matrix, N)) {
        markNotANumber(N, NE, NV, E, vectors);
        return;
    }

    const ColumnMatrix work{WK, N1};
    float tau = 0.0f;
    if (N == 2) {
        tau = closedFormEigenvalues(matrix, NE, work, E);
    } else {
        reduceToTridiagonal(matrix, N, work);
        tau = bisectEigenvalues(work, N, NE, EPS, E);
    }
    if (NV == 0) return;
    computeEigenvectors(matrix, N, NV, E, tau, work, IW, vectors);
}

}  // namespace molframe
