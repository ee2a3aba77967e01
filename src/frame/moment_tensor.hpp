// Second-moment tensor of the selected atoms about the centre of gravity.
#pragma once

#include <cstdint>

#include "run/records.hpp"
#include "run/run_data.hpp"

namespace molframe {

/// Plain sums over the selected atoms of their centred coordinates, by columns with leading
/// dimension 3: M11 = sum X X, M12 = sum Y X, M13 = sum Z X, M22 = sum Y Y, M23 = sum Z Y,
/// M33 = sum Z Z, the lower elements copied from the upper ones. No weights, no averaging.
MomentTensor buildMomentTensor(const AtomTable& atoms, int32_t atomCount,
                               const SelectionSpec& selection);

/// Appends the "Molecular moments" block: one line per column k holding M1k, M2k, M3k.
void writeMomentTensor(RecordFile& report, const MomentTensor& tensor);

}  // namespace molframe
