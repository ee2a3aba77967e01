#include "eigen/back_transformation.hpp"

#include <cfenv>
#include <cmath>

namespace molframe {

namespace {

bool allFinite(const float* v, int32_t N) {
    for (int32_t i = 0; i < N; ++i) {
        if (!std::isfinite(v[i])) return false;
    }
    return true;
}

/// Largest magnitude of a finite vector.
float largestMagnitude(const float* v, int32_t N) {
    float largest = 0.0f;
    for (int32_t i = 0; i < N; ++i) largest = std::fmax(largest, std::fabs(v[i]));
    return largest;
}

}  // namespace

void storeReflectionScales(ColumnMatrix A, int32_t N, ColumnMatrix WK) {
    for (int32_t K = 1; K <= N - 2; ++K) WK(K, 1) = -(A(K + 1, K) * WK(K, 1));
}

void carryBack(ColumnMatrix A, int32_t N, ColumnMatrix WK, float* v) {
    for (int32_t K = N - 2; K >= 1; --K) {
        const float h = WK(K, 1);
        if (h == 0.0f) continue;  // step K made no change
        const float w = 1.0f / h;
        double s = 0.0;
        for (int32_t i = K + 1; i <= N; ++i) s += static_cast<double>(v[i - 1] * A(i, K));
        const float ws = static_cast<float>(static_cast<double>(w) * s);
        for (int32_t i = K + 1; i <= N; ++i) v[i - 1] = v[i - 1] - A(i, K) * ws;
    }
}

void carryBackGuarded(ColumnMatrix A, int32_t N, ColumnMatrix WK, float* v) {
    if (!allFinite(v, N)) {
        carryBack(A, N, WK, v);
        return;
    }
    const float largest = largestMagnitude(v, N);
    if (!(largest >= 2.0f)) {
        carryBack(A, N, WK, v);
        return;
    }

    std::fenv_t environment;
    std::fegetenv(&environment);
    float* copy = WK.column(2);
    for (int32_t i = 0; i < N; ++i) copy[i] = v[i];

    carryBack(A, N, WK, v);
    if (allFinite(v, N)) return;

    // the vector of a multiple eigenvalue overflowed on its way back: the flags raised on the
    // way are withdrawn, and the vector goes back again from a largest magnitude in [1, 2)
    std::fesetenv(&environment);
    int exponent = 0;
    std::frexp(largest, &exponent);
    for (int32_t i = 0; i < N; ++i) v[i] = std::ldexp(copy[i], 1 - exponent);
    carryBack(A, N, WK, v);
}

}  // namespace molframe
