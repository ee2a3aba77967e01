#include "eigen/eigenvalues.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace molframe {

namespace {

constexpr float kClosenessFactor = 1.0E-6f;

}  // namespace

float closedFormEigenvalues(ColumnMatrix A, int32_t NE, ColumnMatrix WK, float* E) {
    const float a11 = A(1, 1);
    const float a21 = A(2, 1);
    const float a22 = A(2, 2);
    WK(1, 1) = a21;

    const float h = 0.5f * (a22 + a11);
    const float D = a22 * a11 - a21 * a21;
    // two (nearly) equal eigenvalues can leave h·h - D a rounding below zero
    const float square = std::max(h * h - D, 0.0f);
    float r = std::sqrt(square) + std::fabs(h);
    if (h < 0.0f) r = -r;
    // the zero matrix has r = 0 and D = 0: both eigenvalues are 0
    const float other = r == 0.0f ? 0.0f : D / r;

    const bool both = NE == 2 || NE == -2;
    if (static_cast<float>(NE) * h < 0.0f) {
        E[0] = other;
        if (both) E[1] = r;
    } else {
        E[0] = r;
        if (both) E[1] = other;
    }

    const float a = std::fabs(a21) + std::fabs(a11);
    const float b = std::fabs(a22) + std::fabs(a21);
    return kClosenessFactor * (b > a ? b : a);
}

float tridiagonalNormBound(ColumnMatrix WK, int32_t N) {
    const float a = std::fabs(WK(1, 1)) + std::fabs(WK(1, 6));
    const float b = std::fabs(WK(N, 6)) + std::fabs(WK(N - 1, 1));
    float B = b > a ? b : a;
    for (int32_t i = 2; i <= N - 1; ++i) {
        const float t = (std::fabs(WK(i - 1, 1)) + std::fabs(WK(i, 6))) + std::fabs(WK(i, 1));
        if (t > B) B = t;
    }
    return B;
}

int32_t sturmCount(ColumnMatrix WK, int32_t N, float x) {
    int32_t c = 0;
    int32_t i = 1;
    while (i <= N) {
        float q = WK(i, 6) - x;  // a new chain
        for (;;) {
            if (q >= 0.0f) ++c;
            if (q == 0.0f) {  // the next row would be minus infinity: passed over uncounted
                i += 2;
                break;
            }
            ++i;
            if (i > N) return c;
            q = (WK(i, 6) - x) - WK(i - 1, 2) / q;
            if (std::isinf(q)) {  // counts as non-negative; a new chain at the next row
                ++c;
                ++i;
                break;
            }
        }
    }
    return c;
}

float bisectEigenvalues(ColumnMatrix WK, int32_t N, int32_t NE, float EPS, float* E) {
    float B = tridiagonalNormBound(WK, N);
    const float tau = kClosenessFactor * B;
    const float delta = EPS * B;
    for (int32_t i = 1; i <= N - 1; ++i) WK(i, 2) = WK(i, 1) * WK(i, 1);

    // NE < 0 mirrors the search: L starts at +B, U at -B, and c counts the eigenvalues below m
    if (NE < 0) B = -B;
    const int32_t count = std::abs(NE);
    float U = B;
    for (int32_t k = 1; k <= count; ++k) E[k - 1] = -B;

    for (int32_t K = 1; K <= count; ++K) {
        float L = E[K - 1];
        for (int32_t pass = 1;; ++pass) {
            const float m = 0.5f * (L + U);
            if (delta >= std::fabs(L - U) || m == L || m == U || pass == kMaxBisectionPasses) {
                E[K - 1] = m;
                break;
            }
            int32_t c = sturmCount(WK, N, m);
            if (NE < 0) c = N - c;
            if (c < K) {
                U = m;
                continue;
            }
            L = m;
            for (int32_t k = K; k <= std::min(c, count); ++k) E[k - 1] = m;
        }
    }
    return tau;
}

}  // namespace molframe
