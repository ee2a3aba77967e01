// Householder reduction of a symmetric matrix to tridiagonal form, in place in its lower part.
#pragma once

#include <cstdint>

#include "eigen/column_matrix.hpp"

namespace molframe {

/// Reduces the diagonal and lower part of A (order N >= 3) by N - 2 reflections
/// P = I - u·uT/h, h = f·g + s, to the tridiagonal T: d(i) = T(i,i) into WK column 6 (rows 1..N),
/// e(i) = T(i+1,i) into WK column 1 (rows 1..N-1). Column K of A keeps u of step K below the
/// diagonal, with A(K+1,K) = f + g; a column already reduced stays as it was and has e(K) = 0.
/// Nothing above the diagonal of A is read or written. O(N^3).
void reduceToTridiagonal(ColumnMatrix A, int32_t N, ColumnMatrix WK);

}  // namespace molframe
