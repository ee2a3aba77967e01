// Principal axes VL, VS, VV of the moment tensor, with their extents.
#pragma once

#include "run/records.hpp"
#include "run/run_data.hpp"

namespace molframe {

/// Eigenvectors of the tensor by one EIGRS call (N = N1 = NE = NV = 3, EPS = 1.0E-8), largest
/// eigenvalue first: VL, VS, VV as columns 1 to 3. Extent k = sqrt(max(E(k), 0)), NaN for a
/// NaN eigenvalue. Unusable axes are then replaced (replaceUnusableAxes). Spoils the tensor.
PrincipalAxes findPrincipalAxes(MomentTensor& tensor);

/// Tests VL, then VS, then VV: an axis whose first component is not within [-1, 1] (NaN
/// included) is rebuilt from the current other two, e.g. VL = (VS3 VV2 - VS2 VV3,
/// VS3 VV1 - VS1 VV3, VS2 VV1 - VS1 VV2), and is not scaled to unit length.
void replaceUnusableAxes(PrincipalAxes& axes);

/// Appends the "Molecular orientation vectors" block: per axis its extent and components.
void writePrincipalAxes(RecordFile& report, const PrincipalAxes& axes);

}  // namespace molframe
