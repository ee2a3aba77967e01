// Atom listing: the report's one line per atom, the AtomTable rows, atomCount and flagCount.
#pragma once

#include "run/records.hpp"
#include "run/run_data.hpp"

namespace molframe {

/// Writes one record "(I4,X,3F10.5,4X,A4,X,A4)" (group, fractX, fractY, fractZ, label, type
/// symbol) per row of the OrderedSiteTable and appends the same values to the AtomTable; then
/// atomCount = sum of all groupSize entries and flagCount = sum of all but the last group's.
void listAtoms(RunData& run, RecordFile& report);

}  // namespace molframe
