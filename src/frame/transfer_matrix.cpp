#include "frame/transfer_matrix.hpp"

#include <cmath>

namespace molframe {

namespace {

/// Degrees to radians, as the single-precision constant the system has always used.
constexpr float radiansPerDegree = 0.017453292f;

/// Cosine of a single-precision angle, computed in double and rounded to single.
float cosineOf(float degrees) {
    const float radians = degrees * radiansPerDegree;
    return static_cast<float>(std::cos(static_cast<double>(radians)));
}

/// Sine from the cosine, never through a sine function: zero or positive.
float sineFrom(float cosine) {
    return std::sqrt(1.0f - cosine * cosine);
}

}  // namespace

TransferMatrix buildTransferMatrix(const CellParameters& cell) {
    const float cosAlpha = cosineOf(cell.alpha);
    const float cosBeta = cosineOf(cell.beta);
    const float cosGamma = cosineOf(cell.gamma);
    const float sinAlpha = sineFrom(cosAlpha);
    const float sinBeta = sineFrom(cosBeta);
    const float sinGamma = sineFrom(cosGamma);
    // Reciprocal-cell angles alpha* and beta*; gamma* and sin alpha* are never needed.
    const float cosAlphaStar = (cosBeta * cosGamma - cosAlpha) / (sinBeta * sinGamma);
    const float cosBetaStar = (cosGamma * cosAlpha - cosBeta) / (sinGamma * sinAlpha);
    const float sinBetaStar = sineFrom(cosBetaStar);

    TransferMatrix transfer;
    transfer.t11 = cell.a;
    transfer.t12 = cell.b * cosGamma;
    transfer.t13 = cell.c * cosBeta;
    transfer.t22 = cell.b * sinGamma;
    // The product is formed first and then negated.
    transfer.t23 = -(cell.c * sinBeta * cosAlphaStar);
    // T33 through beta*: c sin alpha sin beta*, not c sin beta sin alpha* (differs in the
    // last bit).
    transfer.t33 = cell.c * sinAlpha * sinBetaStar;
    return transfer;
}

void writeTransferMatrix(RecordFile& report, const TransferMatrix& transfer) {
    report.write("(//,' TRANSFER MATRIX',/,3X,3F10.5,/,13X,2F10.5,/,23X,F10.5)", transfer.t11,
                 transfer.t12, transfer.t13, transfer.t22, transfer.t23, transfer.t33);
}

void fillCartesian(const TransferMatrix& transfer, AtomTable& atoms, int32_t atomCount) {
    for (int32_t i = 0; i < atomCount; ++i) {
        const float x = atoms.fractX[i];
        const float y = atoms.fractY[i];
        const float z = atoms.fractZ[i];
        atoms.cartX[i] = (x * transfer.t11 + transfer.t12 * y) + transfer.t13 * z;
        atoms.cartY[i] = y * transfer.t22 + transfer.t23 * z;
        atoms.cartZ[i] = transfer.t33 * z;
    }
}

}  // namespace molframe
