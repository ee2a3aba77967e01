// Eigenvalues of the symmetric eigensolver: order 2 in closed form, order 3 and up by bisection
// on Sturm counts of the tridiagonal matrix.
#pragma once

#include <cstdint>

#include "eigen/column_matrix.hpp"

namespace molframe {

/// Passes of the bisection for one eigenvalue before it takes the last midpoint.
inline constexpr int32_t kMaxBisectionPasses = 1000;

/// Order 2: h = (A22 + A11)/2, D = A22·A11 - A21·A21, r = ±(sqrt(h·h - D) + |h|) with the sign
/// of h, the other eigenvalue D/r (0 when r = 0; h·h - D below 0 counts as 0). E(1) = D/r when
/// NE·h < 0, else r; E(2) the other one when |NE| = 2. e(1) = A21 into WK(1,1).
/// Returns the closeness threshold tau = 1.0E-6·max(|d1| + |e1|, |d2| + |e1|).
float closedFormEigenvalues(ColumnMatrix A, int32_t NE, ColumnMatrix WK, float* E);

/// Largest absolute row sum B of the tridiagonal T (d in WK column 6, e in WK column 1), N >= 3.
float tridiagonalNormBound(ColumnMatrix WK, int32_t N);

/// Number of eigenvalues of T at or above x: Sturm chain q(i) = (d(i) - x) - e(i-1)^2/q(i-1),
/// with e^2 in WK column 2. An exact zero counts and skips the next row; an overflowed q counts
/// and starts a new chain at the next row.
int32_t sturmCount(ColumnMatrix WK, int32_t N, float x);

/// Order 3 and up: B, tau = 1.0E-6·B, delta = EPS·B, e(i)^2 into WK column 2, then E(1..|NE|)
/// by bisection of [-B, B] to within delta (largest first for NE > 0, smallest first for NE < 0),
/// carrying U and the raised ends from one eigenvalue to the next. Returns tau.
float bisectEigenvalues(ColumnMatrix WK, int32_t N, int32_t NE, float EPS, float* E);

}  // namespace molframe
