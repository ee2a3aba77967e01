#include "eigen/inverse_iteration.hpp"

#include <cmath>

namespace molframe {

namespace {

constexpr uint32_t kGeneratorMultiplier = 48828125u;
constexpr float kZeroPivot = 1.0E-30f;
constexpr float kRescale = 1.0E-5f;

/// Element i of a vector counted from 1.
float& at(float* v, int32_t i) {
    return v[i - 1];
}

}  // namespace

float nextDraw(int32_t& state) {
    // the product wraps modulo 2^32 in unsigned arithmetic, then reads as two's complement
    const uint32_t product = static_cast<uint32_t>(state) * kGeneratorMultiplier;
    state = static_cast<int32_t>(product);
    return static_cast<float>(state) * 0x1p-31f;
}

void factoriseShifted(ColumnMatrix WK, int32_t N, float shift, int32_t* IW) {
    for (int32_t i = 1; i <= N; ++i) {
        WK(i, 2) = WK(i, 6) - shift;
        WK(i, 3) = WK(i, 1);
    }
    for (int32_t i = 1; i <= N - 1; ++i) {
        const float e = WK(i, 1);  // column 1 keeps the unshifted off-diagonal
        float m;
        if (std::fabs(e) > std::fabs(WK(i, 2))) {
            // rows i and i+1 change places; row i+1 then fills the second superdiagonal
            m = WK(i, 2) / e;
            IW[i - 1] = 1;
            WK(i, 2) = e;
            const float t = WK(i, 3);
            WK(i, 3) = WK(i + 1, 2);
            WK(i, 4) = WK(i + 1, 3);
            WK(i + 1, 2) = t - m * WK(i, 3);
            WK(i + 1, 3) = -(WK(i, 4) * m);
        } else {
            if (WK(i, 2) == 0.0f) WK(i, 2) = kZeroPivot;
            m = e / WK(i, 2);
            IW[i - 1] = 0;
            WK(i + 1, 2) = WK(i + 1, 2) - WK(i, 3) * m;
            WK(i, 4) = 0.0f;
        }
        WK(i, 5) = m;
    }
    if (WK(N, 2) == 0.0f) WK(N, 2) = kZeroPivot;
}

void backSubstitute(ColumnMatrix WK, int32_t N, float* v) {
    // the last two rows, rescaling the whole right-hand side while either value overflows
    float r1 = at(v, N);
    float r2 = at(v, N - 1);
    for (int32_t rescales = 0;; ++rescales) {
        at(v, N) = r1 / WK(N, 2);
        at(v, N - 1) = (r2 - WK(N - 1, 3) * at(v, N)) / WK(N - 1, 2);
        if ((std::isfinite(at(v, N)) && std::isfinite(at(v, N - 1))) || rescales == kMaxRescales) {
            break;
        }
        for (int32_t i = 1; i <= N - 2; ++i) at(v, i) = at(v, i) * kRescale;
        r1 = r1 * kRescale;
        r2 = r2 * kRescale;
    }
    for (int32_t i = N - 2; i >= 1; --i) {
        float r = at(v, i);
        for (int32_t rescales = 0;; ++rescales) {
            at(v, i) = ((r - WK(i, 3) * at(v, i + 1)) - at(v, i + 2) * WK(i, 4)) / WK(i, 2);
            if (std::isfinite(at(v, i)) || rescales == kMaxRescales) break;
            for (int32_t l = 1; l <= N; ++l) at(v, l) = at(v, l) * kRescale;
            r = r * kRescale;
        }
    }
}

void applyMultipliers(ColumnMatrix WK, int32_t N, const int32_t* IW, float* v) {
    for (int32_t i = 1; i <= N - 1; ++i) {
        if (IW[i - 1] == 0) {
            at(v, i + 1) = at(v, i + 1) - at(v, i) * WK(i, 5);
            continue;
        }
        const float t = at(v, i);
        at(v, i) = at(v, i + 1);
        at(v, i + 1) = t - WK(i, 5) * at(v, i);
    }
}

void inverseIteration(ColumnMatrix WK, int32_t N, float shift, bool drawStart, int32_t& state,
                      int32_t* IW, float* v) {
    for (int32_t i = 1; i <= N; ++i) at(v, i) = 1.0f;
    factoriseShifted(WK, N, shift, IW);
    if (drawStart) {
        for (int32_t i = 1; i <= N; ++i) at(v, i) = nextDraw(state);
    }
    backSubstitute(WK, N, v);
    applyMultipliers(WK, N, IW, v);
    backSubstitute(WK, N, v);
}

}  // namespace molframe
