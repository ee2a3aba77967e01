// Test support for the eigensolver: the arguments of one EIGRS call in storage by columns, with
// every place the call may not write holding a marker, and small vector helpers.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "eigen/eigrs.hpp"

namespace molframe::test {

/// What every element of the arguments holds before a call.
inline constexpr float kMarker = -7777.0f;
inline constexpr int32_t kFlagMarker = -77;

inline uint32_t bits(float value) {
    return std::bit_cast<uint32_t>(value);
}

/// The arguments of one call, E and V with room for N + 1 values and columns. The matrix is given
/// row by row, all N·N elements; the part above the diagonal is stored as given (the solver must
/// never read it).
struct EigrsCall {
    int32_t N;
    int32_t N1;
    int32_t NE;
    int32_t NV;
    float EPS;
    std::vector<float> A;
    std::vector<float> WK;
    std::vector<int32_t> IW;
    std::vector<float> E;
    std::vector<float> V;

    EigrsCall(int32_t n, int32_t n1, const std::vector<float>& rows, int32_t ne, int32_t nv,
              float eps)
        : N(n), N1(n1), NE(ne), NV(nv), EPS(eps) {
        const int64_t columns = std::max<int64_t>(n, 1);
        A.assign(static_cast<std::size_t>(std::max<int64_t>(n1, 1) * columns), kMarker);
        WK.assign(static_cast<std::size_t>(std::max<int64_t>(n1, 1) * 6), kMarker);
        IW.assign(static_cast<std::size_t>(columns + 1), kFlagMarker);
        E.assign(static_cast<std::size_t>(columns + 1), kMarker);
        V.assign(static_cast<std::size_t>(std::max<int64_t>(n1, 1) * (columns + 1)), kMarker);
        if (n > n1 || static_cast<int64_t>(rows.size()) != int64_t{n} * n) return;
        for (int32_t i = 1; i <= n; ++i) {
            for (int32_t j = 1; j <= n; ++j)
                a(i, j) = rows[static_cast<std::size_t>((i - 1) * n + j - 1)];
        }
    }

    void run() { EIGRS(A.data(), N, N1, NE, NV, EPS, WK.data(), IW.data(), E.data(), V.data()); }

    float& a(int32_t i, int32_t j) { return A[static_cast<std::size_t>((i - 1) + N1 * (j - 1))]; }
    float& v(int32_t i, int32_t j) { return V[static_cast<std::size_t>((i - 1) + N1 * (j - 1))]; }
    float& e(int32_t k) { return E[static_cast<std::size_t>(k - 1)]; }

    /// Rows 1..N of column j of V.
    std::vector<float> vector(int32_t j) {
        std::vector<float> column;
        for (int32_t i = 1; i <= N; ++i) column.push_back(v(i, j));
        return column;
    }
};

/// The full symmetric matrix (row by row) whose lower part is given by lower(i, j), i >= j.
template <class F>
std::vector<float> symmetricRows(int32_t n, F lower) {
    std::vector<float> rows(static_cast<std::size_t>(n * n));
    for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = 1; j <= i; ++j) {
            const float value = lower(i, j);
            rows[static_cast<std::size_t>((i - 1) * n + j - 1)] = value;
            rows[static_cast<std::size_t>((j - 1) * n + i - 1)] = value;
        }
    }
    return rows;
}

/// Equal bit for bit, NaN included.
inline bool sameBits(const std::vector<float>& x, const std::vector<float>& y) {
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (bits(x[i]) != bits(y[i])) return false;
    }
    return true;
}

inline double dot(const std::vector<float>& x, const std::vector<float>& y) {
    double s = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) s += double(x[i]) * double(y[i]);
    return s;
}

inline double length(const std::vector<float>& x) {
    return std::sqrt(dot(x, x));
}

}  // namespace molframe::test
