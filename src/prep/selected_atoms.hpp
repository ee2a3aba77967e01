// The atoms that enter the moment tensor, visited in ascending order.
//
// Flag mode (flagSum not 0): atoms 1 to flagCount whose selectFlag is not 0; the digit's value
// is no weight. Range mode (flagSum 0): atoms rangeFirst to rangeLast whatever their group,
// none when rangeFirst > rangeLast. A range reaching outside the table is clipped to atoms
// max(rangeFirst, 1) to min(rangeLast, atomCount), so no row outside the AtomTable is read.
//
// Use in a frame phase:
//   forEachSelectedAtom(run.selection, run.atoms, run.atomCount, [&](int32_t atom) {
//       const float x = run.atoms.cartX[atom - 1];  // atom k (from 1) is row k - 1
//       ...
//   });
#pragma once

#include <algorithm>
#include <cstdint>

#include "run/run_data.hpp"

namespace molframe {

/// Calls fn(atom) for every selected atom number (from 1), in ascending order.
template <class Fn>
void forEachSelectedAtom(const SelectionSpec& selection, const AtomTable& atoms, int32_t atomCount,
                         Fn&& fn) {
    if (selection.flagSum != 0) {
        const int32_t last = std::min(selection.flagCount, atomCount);
        for (int32_t atom = 1; atom <= last; ++atom) {
            if (atoms.selectFlag[atom - 1] != 0) fn(atom);
        }
        return;
    }
    const int32_t first = std::max(selection.rangeFirst, int32_t{1});
    const int32_t last = std::min(selection.rangeLast, atomCount);
    for (int32_t atom = first; atom <= last; ++atom) fn(atom);
}

}  // namespace molframe
