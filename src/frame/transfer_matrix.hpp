// Cell transfer matrix: fractional to Cartesian coordinates (a along X, b in the XY plane).
#pragma once

#include <cstdint>

#include "run/records.hpp"
#include "run/run_data.hpp"

namespace molframe {

/// The upper-triangular matrix of the cell, in single precision: T11 = a, T12 = b cos gamma,
/// T13 = c cos beta, T22 = b sin gamma, T23 = -(c sin beta cos alpha*),
/// T33 = c sin alpha sin beta*. Unguarded: a cell that admits no geometry gives NaN elements.
TransferMatrix buildTransferMatrix(const CellParameters& cell);

/// Appends the "TRANSFER MATRIX" block, each element in the columns of its matrix position.
void writeTransferMatrix(RecordFile& report, const TransferMatrix& transfer);

/// Sets cartX, cartY, cartZ of atoms 1 to atomCount: X = (x T11 + T12 y) + T13 z,
/// Y = y T22 + T23 z, Z = T33 z.
void fillCartesian(const TransferMatrix& transfer, AtomTable& atoms, int32_t atomCount);

}  // namespace molframe
