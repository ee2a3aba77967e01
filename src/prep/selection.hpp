// Selection control file "kesp.dat": the flags or the range of the moment tensor's atoms, and
// their echo in the report.
#pragma once

#include "run/records.hpp"
#include "run/run_data.hpp"

namespace molframe {

/// Reads flagCount flags "(80I1)" into selectFlag (one record when flagCount is 0), sums them
/// into flagSum and zeroes the flags of atoms flagCount + 1 to atomCount. With flagSum 0 (range
/// mode) reads the list-directed range record into rangeFirst and rangeLast, missing bounds 0,
/// and turns "n 0" into 1 to n. Echoes "(/,10I5)" groupCount, groupSize..., atomCount and the
/// range, or in flag mode the counts and then the flags "(80I1)".
/// An end of file or a bad value in either read ends the run.
void readSelection(RunData& run, RecordFile& control, RecordFile& report);

}  // namespace molframe
