// Eigenvectors of the symmetric eigensolver: inverse iteration for each wanted eigenvalue, back
// through the reflections, scaled by the largest component, and, for unit vectors,
// re-orthogonalised within runs of close eigenvalues.
#pragma once

#include <cstdint>

#include "eigen/column_matrix.hpp"

namespace molframe {

/// True when E(j) starts a run of close eigenvalues: j = 1, or |E(j) - E(j-1)| >= tau.
bool startsRun(const float* E, int32_t j, float tau);

/// Scales v so that its first component of largest magnitude becomes 1: v = v·(1/v(M)).
void scaleByLargest(float* v, int32_t N);

/// For j = 1..count in order: projects out of column j the earlier columns of its run (one
/// Gram-Schmidt pass, in double, rounded), then scales it to unit length (w = sqrt(1/s) in
/// double; a zero column stays zero).
void orthonormalise(ColumnMatrix V, int32_t N, int32_t count, const float* E, float tau);

/// Columns 1..|NV| of V for E(1..|NV|), after the eigenvalues: T in WK (d in column 6, or A's
/// diagonal for order 2; e in column 1), the reflections in A (order 3 and up), the closeness
/// threshold tau. Unit vectors for NV > 0, largest component 1 for NV < 0.
void computeEigenvectors(ColumnMatrix A, int32_t N, int32_t NV, const float* E, float tau,
                         ColumnMatrix WK, int32_t* IW, ColumnMatrix V);

}  // namespace molframe
