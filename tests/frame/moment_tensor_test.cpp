#include "frame/moment_tensor.hpp"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "support/record_capture.hpp"

namespace molframe {
namespace {

using Point = std::array<float, 3>;

/// The four atoms of the worked example: along X at 1 and -1, along Y at 2 and -2.
const std::vector<Point> crossOfFour{
    {1.0f, 0.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}, {0.0f, 2.0f, 0.0f}, {0.0f, -2.0f, 0.0f}};

AtomTable atomsAt(const std::vector<Point>& points, const std::vector<int32_t>& flags = {}) {
    AtomTable atoms;
    for (std::size_t i = 0; i < points.size(); ++i) {
        atoms.cartX[i] = points[i][0];
        atoms.cartY[i] = points[i][1];
        atoms.cartZ[i] = points[i][2];
    }
    for (std::size_t i = 0; i < flags.size(); ++i) atoms.selectFlag[i] = flags[i];
    return atoms;
}

SelectionSpec rangeOf(int32_t first, int32_t last) {
    SelectionSpec selection;
    selection.rangeFirst = first;
    selection.rangeLast = last;
    return selection;
}

SelectionSpec flagsOf(int32_t flagCount, int32_t flagSum) {
    SelectionSpec selection;
    selection.flagCount = flagCount;
    selection.flagSum = flagSum;
    return selection;
}

std::string momentsBlock(const MomentTensor& tensor) {
    test::CapturedRecords report;
    writeMomentTensor(report.file(), tensor);
    return report.text();
}

const std::string crossOfFourBlock =
    "\n Molecular moments\n"
    "   2.00000   0.00000   0.00000\n"
    "   0.00000   8.00000   0.00000\n"
    "   0.00000   0.00000   0.00000\n";

const std::string zeroBlock =
    "\n Molecular moments\n"
    "   0.00000   0.00000   0.00000\n"
    "   0.00000   0.00000   0.00000\n"
    "   0.00000   0.00000   0.00000\n";

struct SelectionCase {
    const char* name;
    std::vector<Point> atoms;
    std::vector<int32_t> flags;
    SelectionSpec selection;
    std::string block;
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const SelectionCase& row, std::ostream* out) {
    *out << row.name;
}

class MomentsOfSelection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(MomentsOfSelection, SumsOverTheSelectedAtomsOnly) {
    const SelectionCase& row = GetParam();
    const AtomTable atoms = atomsAt(row.atoms, row.flags);
    const auto count = static_cast<int32_t>(row.atoms.size());
    EXPECT_EQ(momentsBlock(buildMomentTensor(atoms, count, row.selection)), row.block);
}

// A far-away fifth atom shows at once when it enters the tensor.
const std::vector<Point> crossAndFarAtom{{1.0f, 0.0f, 0.0f},
                                         {-1.0f, 0.0f, 0.0f},
                                         {0.0f, 2.0f, 0.0f},
                                         {0.0f, -2.0f, 0.0f},
                                         {0.0f, 0.0f, 30.0f}};

INSTANTIATE_TEST_SUITE_P(
    Selections, MomentsOfSelection,
    ::testing::Values(
        SelectionCase{"RangeOfAllFour", crossOfFour, {}, rangeOf(1, 4), crossOfFourBlock},
        SelectionCase{
            "RangeLeavesOutTheLastAtom", crossAndFarAtom, {}, rangeOf(1, 4), crossOfFourBlock},
        // Clipped to the table: only atoms 1 to 4 exist.
        SelectionCase{"RangeBeyondTheTable", crossOfFour, {}, rangeOf(0, 9), crossOfFourBlock},
        SelectionCase{"EmptyRange", crossOfFour, {}, rangeOf(3, 2), zeroBlock},
        // Digits above 1 select once, with no weight.
        SelectionCase{"FlagDigitsAreNoWeights",
                      crossAndFarAtom,
                      {1, 9, 2, 1, 0},
                      flagsOf(5, 13),
                      crossOfFourBlock},
        // The fifth atom's flag lies beyond flagCount and is never looked at.
        SelectionCase{"FlagsBeyondFlagCountIgnored",
                      crossAndFarAtom,
                      {1, 1, 1, 1, 1},
                      flagsOf(4, 4),
                      crossOfFourBlock},
        SelectionCase{"FarAtomOnly",
                      crossAndFarAtom,
                      {0, 0, 0, 0, 1},
                      flagsOf(5, 1),
                      "\n Molecular moments\n"
                      "   0.00000   0.00000   0.00000\n"
                      "   0.00000   0.00000   0.00000\n"
                      "   0.00000   0.00000 900.00000\n"},
        // Sums are not averaged: 100 atoms at (10, 0, 0) give 10000, too wide for F10.5.
        SelectionCase{"ElementTooWide",
                      std::vector<Point>(100, Point{10.0f, 0.0f, 0.0f}),
                      {},
                      rangeOf(1, 100),
                      "\n Molecular moments\n"
                      "**********   0.00000   0.00000\n"
                      "   0.00000   0.00000   0.00000\n"
                      "   0.00000   0.00000   0.00000\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MomentTensor, SymmetricByColumnsWithLeadingDimensionThree) {
    const AtomTable atoms = atomsAt({{1.0f, 2.0f, 3.0f}, {-0.5f, 4.0f, 0.25f}});
    const MomentTensor tensor = buildMomentTensor(atoms, 2, rangeOf(1, 2));
    // Element (r, c) at (r - 1) + 3 (c - 1).
    const std::array<float, 9> expected{1.25f,  0.0f,  2.875f,  // column 1: xx, yx, zx
                                        0.0f,   20.0f, 7.0f,    // column 2: xy, yy, zy
                                        2.875f, 7.0f,  9.0625f};
    EXPECT_EQ(tensor.element, expected);
    EXPECT_EQ(momentsBlock(tensor),
              "\n Molecular moments\n"
              "   1.25000   0.00000   2.87500\n"
              "   0.00000  20.00000   7.00000\n"
              "   2.87500   7.00000   9.06250\n");
}

}  // namespace
}  // namespace molframe
