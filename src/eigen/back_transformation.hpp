// Back-transformation of the eigenvectors of the tridiagonal matrix through the reflections of
// the reduction, with a guard against overflow for vectors near the single-precision limit.
#pragma once

#include <cstdint>

#include "eigen/column_matrix.hpp"

namespace molframe {

/// h(K) = -(A(K+1,K)·e(K)) = (f + g)·g of reduction step K over e(K) in WK(K,1), K = 1..N-2.
void storeReflectionScales(ColumnMatrix A, int32_t N, ColumnMatrix WK);

/// v = P(1)·...·P(N-2)·v with P(K) = I - u·uT/h(K) (u in column K of A below the diagonal,
/// h(K) in WK(K,1), skipped when 0): w = (1/h)·(accumulated uT·v), then v = v - u·w.
void carryBack(ColumnMatrix A, int32_t N, ColumnMatrix WK, float* v);

/// carryBack, guarded: when a component comes out not finite although v was finite with a
/// largest magnitude of at least 2, the floating-point environment (exception flags included)
/// is put back as it was, v is scaled by an exact power of two to a largest magnitude in [1, 2)
/// and carried back again. The copy of v is kept in WK column 2. Results that come out finite
/// without the guard are unchanged bit for bit.
void carryBackGuarded(ColumnMatrix A, int32_t N, ColumnMatrix WK, float* v);

}  // namespace molframe
