// Molecular coordinates: every atom along VL, VS, VV, in the report and in "mc.xyz".
#pragma once

#include <cstdint>

#include "run/records.hpp"
#include "run/run_data.hpp"

namespace molframe {

/// Sets molVL, molVS, molVV of atoms 1 to atomCount from their centred coordinates, e.g.
/// molVL = (VL1 X + Y VL2) + Z VL3, with the axes as they stand (replaced or not, unscaled).
void projectAtoms(AtomTable& atoms, int32_t atomCount, const PrincipalAxes& axes);

/// Appends the "Molecular Coordinates" heading and one line per atom: group, the three
/// coordinates, label, type symbol and selection flag.
void writeMolecularCoordinates(RecordFile& report, const AtomTable& atoms, int32_t atomCount);

/// Writes the XYZ file: the atom count, an empty record, then per atom its type symbol and
/// its coordinates along VL, VS, VV.
void writeXyzFile(RecordFile& xyz, const AtomTable& atoms, int32_t atomCount);

}  // namespace molframe
