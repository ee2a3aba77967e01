#include "eigen/reduction.hpp"

#include <cmath>

namespace molframe {

namespace {

/// Step K: one reflection that turns column K below the diagonal into (-g, 0, ..., 0) and
/// updates the trailing matrix (rows and columns K+1..N, lower part) on both sides.
/// Sums of products are accumulated in double, each product rounded in single first.
void reduceColumn(ColumnMatrix A, int32_t N, ColumnMatrix WK, int32_t K) {
    double s = 0.0;
    for (int32_t i = K + 1; i <= N; ++i) s += static_cast<double>(A(i, K) * A(i, K));
    WK(K, 1) = 0.0f;
    if (s == 0.0) return;

    float g = static_cast<float>(std::sqrt(s));
    const float f = A(K + 1, K);
    if (f < 0.0f) g = -g;
    // r = 1/h, with h = f·g + s: the single product widened, added and inverted in double.
    // A column below about 4E-20 has no reflection in single precision (r beyond the range):
    // it is left as it is, like a column already reduced; the couplings it drops are smaller
    // than the rounding of any element of a matrix of ordinary scale.
    const float r = static_cast<float>(1.0 / (static_cast<double>(f * g) + s));
    if (std::isinf(r)) return;
    WK(K, 1) = -g;
    A(K + 1, K) = f + g;

    // p = r·(trailing matrix)·u, the matrix read from its lower part only; p in WK column 1
    for (int32_t j = K + 1; j <= N; ++j) {
        double sum = 0.0;
        for (int32_t i = K + 1; i <= j; ++i) sum += static_cast<double>(A(i, K) * A(j, i));
        for (int32_t i = j + 1; i <= N; ++i) sum += static_cast<double>(A(i, K) * A(i, j));
        WK(j, 1) = static_cast<float>(static_cast<double>(r) * sum);
    }

    // t = r·(pT·u)/2, then q = p - u·t over p
    double pu = 0.0;
    for (int32_t j = K + 1; j <= N; ++j) pu += static_cast<double>(WK(j, 1) * A(j, K));
    const float t = static_cast<float>(static_cast<double>(r) * (pu * 0.5));
    for (int32_t j = K + 1; j <= N; ++j) WK(j, 1) = WK(j, 1) - A(j, K) * t;

    // trailing matrix minus u·qT + q·uT, lower part
    for (int32_t i = K + 1; i <= N; ++i) {
        for (int32_t j = i; j <= N; ++j) {
            A(j, i) = (A(j, i) - A(j, K) * WK(i, 1)) - WK(j, 1) * A(i, K);
        }
    }
}

}  // namespace

void reduceToTridiagonal(ColumnMatrix A, int32_t N, ColumnMatrix WK) {
    for (int32_t K = 1; K <= N - 2; ++K) reduceColumn(A, N, WK, K);
    WK(N - 1, 1) = A(N, N - 1);
    for (int32_t i = 1; i <= N; ++i) WK(i, 6) = A(i, i);
}

}  // namespace molframe
