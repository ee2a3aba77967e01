#include "eigen/eigenvectors.hpp"

#include <cmath>
#include <cstdlib>

#include "eigen/back_transformation.hpp"
#include "eigen/inverse_iteration.hpp"

namespace molframe {

bool startsRun(const float* E, int32_t j, float tau) {
    // a difference that is not a number does not start a run
    return j == 1 || std::fabs(E[j - 1] - E[j - 2]) >= tau;
}

void scaleByLargest(float* v, int32_t N) {
    int32_t M = 1;
    float t = std::fabs(v[0]);
    for (int32_t i = 2; i <= N; ++i) {
        if (!(t >= std::fabs(v[i - 1]))) {
            t = std::fabs(v[i - 1]);
            M = i;
        }
    }
    const float w = 1.0f / v[M - 1];
    for (int32_t i = 0; i < N; ++i) v[i] = v[i] * w;
}

namespace {

/// Accumulated sum of x(i)·y(i), each product rounded in single, added in double in row order.
double dotProduct(const float* x, const float* y, int32_t N) {
    double s = 0.0;
    for (int32_t i = 0; i < N; ++i) s += static_cast<double>(x[i] * y[i]);
    return s;
}

/// v = v - u·(uT·v), in double and rounded.
void projectOut(float* v, const float* u, int32_t N) {
    const double s = dotProduct(v, u, N);
    for (int32_t i = 0; i < N; ++i) {
        v[i] = static_cast<float>(static_cast<double>(v[i]) - static_cast<double>(u[i]) * s);
    }
}

void scaleToUnitLength(float* v, int32_t N) {
    const double s = dotProduct(v, v, N);
    const float w = s == 0.0 ? 0.0f : static_cast<float>(std::sqrt(1.0 / s));
    for (int32_t i = 0; i < N; ++i) v[i] = v[i] * w;
}

}  // namespace

void orthonormalise(ColumnMatrix V, int32_t N, int32_t count, const float* E, float tau) {
    int32_t first = 1;  // the first column of the current run
    for (int32_t j = 1; j <= count; ++j) {
        if (startsRun(E, j, tau)) {
            first = j;
        } else {
            for (int32_t l = first; l <= j - 1; ++l) projectOut(V.column(j), V.column(l), N);
        }
        scaleToUnitLength(V.column(j), N);
    }
}

void computeEigenvectors(ColumnMatrix A, int32_t N, int32_t NV, const float* E, float tau,
                         ColumnMatrix WK, int32_t* IW, ColumnMatrix V) {
    if (N == 2) {
        WK(1, 6) = A(1, 1);
        WK(2, 6) = A(2, 2);
    }
    WK(N, 1) = 0.0f;
    int32_t state = kGeneratorSeed;
    const int32_t count = std::abs(NV);

    // close eigenvalues after the first of their run start from pseudo-random vectors
    for (int32_t j = 1; j <= count; ++j) {
        const bool drawStart = !startsRun(E, j, tau);
        inverseIteration(WK, N, E[j - 1], drawStart, state, IW, V.column(j));
    }
    if (N >= 3) {
        storeReflectionScales(A, N, WK);
        for (int32_t j = 1; j <= count; ++j) carryBackGuarded(A, N, WK, V.column(j));
    }
    for (int32_t j = 1; j <= count; ++j) scaleByLargest(V.column(j), N);
    if (NV < 0) return;
    orthonormalise(V, N, count, E, tau);
}

}  // namespace molframe
