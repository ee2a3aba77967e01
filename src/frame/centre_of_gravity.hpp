// Centre of gravity of all atoms, and the shift that makes it the origin.
#pragma once

#include <cstdint>

#include "run/records.hpp"
#include "run/run_data.hpp"

namespace molframe {

/// A point of the Cartesian frame, in the length unit of the cell.
struct CentrePoint {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

/// Unweighted mean of cartX, cartY, cartZ over atoms 1 to atomCount (single-precision sums in
/// table order, each divided by atomCount); exactly 0 unless (cx cx + cy cy) + cz cz > 0.1,
/// so a centre near the origin, or the NaN of an empty table, becomes the origin.
CentrePoint centreOfGravity(const AtomTable& atoms, int32_t atomCount);

/// Appends the "CENTER OF GRAVITY" line after an empty line.
void writeCentre(RecordFile& report, const CentrePoint& centre);

/// Subtracts the centre from cartX, cartY, cartZ of atoms 1 to atomCount, in place.
void centreAtoms(AtomTable& atoms, int32_t atomCount, const CentrePoint& centre);

}  // namespace molframe
