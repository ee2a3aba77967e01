// EIGRS: selected eigenvalues and eigenvectors of a real symmetric matrix in single precision.
#pragma once

#include <cstdint>

namespace molframe {

/// Eigenvalues E(1..|NE|) of the symmetric matrix A of order N (lower part read, stored by
/// columns with leading dimension N1): the largest first for NE > 0, the smallest first for
/// NE < 0; eigenvectors of E(1..|NV|) in the columns of V, of unit length for NV > 0, with a
/// largest component of 1 for NV < 0. Householder reduction to tridiagonal form (O(N^3)),
/// bisection on Sturm counts, inverse iteration, back-transformation. WK holds 6 columns of
/// leading dimension N1 and IW N - 1 integers; nothing is allocated. A negative EPS becomes
/// 1.0E-6. Bad sizes write a console diagnostic and return with no calculation.
void EIGRS(float* A, int32_t N, int32_t N1, int32_t NE, int32_t NV, float& EPS, float* WK,
           int32_t* IW, float* E, float* V);

}  // namespace molframe
