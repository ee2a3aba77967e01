// The atoms that enter the moment tensor: flag mode, range mode and the clipping of a range.
#include "prep/selected_atoms.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace molframe {
namespace {

struct SelectedCase {
    std::string name;
    SelectionSpec selection;
    std::vector<int32_t> flags;  // selectFlag of atoms 1, 2, ...; the rest 0
    int32_t atomCount;
    std::vector<int32_t> selected;
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const SelectedCase& row, std::ostream* out) {
    *out << row.name;
}

std::vector<int32_t> selectedAtoms(const SelectedCase& c) {
    auto atoms = std::make_unique<AtomTable>();
    std::copy(c.flags.begin(), c.flags.end(), atoms->selectFlag.begin());
    std::vector<int32_t> visited;
    forEachSelectedAtom(c.selection, *atoms, c.atomCount,
                        [&](int32_t atom) { visited.push_back(atom); });
    return visited;
}

class SelectedAtomsTest : public ::testing::TestWithParam<SelectedCase> {};

TEST_P(SelectedAtomsTest, VisitsInAscendingOrder) {
    EXPECT_EQ(selectedAtoms(GetParam()), GetParam().selected);
}

// SelectionSpec fields: flagCount, flagSum, rangeFirst, rangeLast.
INSTANTIATE_TEST_SUITE_P(
    Cases, SelectedAtomsTest,
    ::testing::Values(
        SelectedCase{"FlagModeNonZeroDigits", {5, 12, 0, 0}, {1, 0, 2, 0, 9, 0, 0}, 7, {1, 3, 5}},
        SelectedCase{"FlagModeStopsAtFlagCount", {3, 1, 0, 0}, {0, 0, 1, 1, 1}, 5, {3}},
        SelectedCase{"FlagModeIgnoresRange", {3, 1, 2, 3}, {1, 0, 0}, 5, {1}},
        SelectedCase{"RangeInside", {11, 0, 3, 7}, {}, 19, {3, 4, 5, 6, 7}},
        SelectedCase{"RangeReachesLastGroup", {11, 0, 17, 19}, {}, 19, {17, 18, 19}},
        SelectedCase{"RangeIgnoresFlags", {3, 0, 2, 3}, {1, 0, 0, 1}, 5, {2, 3}},
        SelectedCase{"RangeFirstAboveLastNone", {11, 0, 7, 3}, {}, 19, {}},
        SelectedCase{"RangeOneToZeroNone", {11, 0, 1, 0}, {}, 19, {}},
        SelectedCase{"RangeSingleAtom", {11, 0, 4, 4}, {}, 19, {4}},
        SelectedCase{"RangeBelowOneClipped", {11, 0, -2, 3}, {}, 19, {1, 2, 3}},
        SelectedCase{"RangeFromZeroClipped", {1, 0, 0, 2}, {}, 4, {1, 2}},
        SelectedCase{"RangePastLastAtomClipped", {2, 0, 3, 400}, {}, 5, {3, 4, 5}},
        SelectedCase{"RangeWhollyPastTableNone", {2, 0, 6, 9}, {}, 5, {}},
        SelectedCase{"RangeWhollyBelowOneNone", {2, 0, -9, -1}, {}, 5, {}},
        SelectedCase{"RangeExtremeBoundsClipped", {2, 0, INT_MIN, INT_MAX}, {}, 3, {1, 2, 3}},
        SelectedCase{"NoAtoms", {0, 0, 1, 5}, {}, 0, {}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace molframe
