// Inverse iteration on the tridiagonal matrix: the start-vector generator, the factorisation of
// T - shift·I with row interchanges, and the solves with their overflow recovery.
#pragma once

#include <cstdint>

#include "eigen/column_matrix.hpp"

namespace molframe {

/// State of the start-vector generator at the start of each call of the eigensolver.
inline constexpr int32_t kGeneratorSeed = 584287;
/// Rescalings of one value in the back substitution before it is kept as it is.
inline constexpr int32_t kMaxRescales = 100;

/// One draw: state = state·48828125 (low 32 bits as two's complement); returns 2^-31·state,
/// a number from -1 to 1.
float nextDraw(int32_t& state);

/// Factorises T - shift·I (d in WK column 6, e in WK column 1 with e(N) = 0) by elimination with
/// interchanges of neighbouring rows: pivots of U into WK column 2, its superdiagonals into
/// columns 3 and 4, the multipliers into column 5, IW(i) = 1 where rows i and i+1 were
/// interchanged. A zero pivot becomes 1.0E-30.
void factoriseShifted(ColumnMatrix WK, int32_t N, float shift, int32_t* IW);

/// Solves U·x = v in place (v[0] is row 1). While a value overflows (or is otherwise not finite)
/// the vector is scaled by 1.0E-5 and the value computed again, at most kMaxRescales times.
void backSubstitute(ColumnMatrix WK, int32_t N, float* v);

/// Applies the interchanges and multipliers of the factorisation to v, in row order.
void applyMultipliers(ColumnMatrix WK, int32_t N, const int32_t* IW, float* v);

/// One eigenvector of T for the eigenvalue shift into v: factorisation, start vector (ones, or
/// N draws of the generator when drawStart), back substitution, multipliers, back substitution.
void inverseIteration(ColumnMatrix WK, int32_t N, float shift, bool drawStart, int32_t& state,
                      int32_t* IW, float* v);

}  // namespace molframe
