// Cell parameter block: the tag search, the six cell lines, values by their own data names,
// the angle rule, the cell line and the reading position left behind.
#include "cif/cell_block.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <string>

#include "cif/cif_support.hpp"
#include "run/failure.hpp"
#include "support/cif_text.hpp"

namespace molframe {
namespace {

using test::cellLines;
using test::withCarriageReturns;
using testing::CifFiles;
using testing::expectCell;
using testing::nextItem;

/// Runs the phase on the text as "at.cif"; the structure file stays open behind the block.
struct CellRun {
    CifFiles dir;
    CellParameters cell;
    RecordFile* structure = nullptr;

    explicit CellRun(const std::string& text) {
        structure = &dir.structure(text);
        readCellBlock(*structure, dir.report(), cell);
    }
};

/// The failure of the phase on the text as "at.cif", the file named by its own name;
/// "" when the phase ends normally.
std::string failureOf(const std::string& text) {
    CifFiles dir;
    CellParameters cell;
    try {
        readCellBlock(dir.structure(text), dir.report(), cell);
    } catch (const RunFailure& failure) {
        return dir.shortened(failure.message);
    }
    return "";
}

/// "n" lines of two items each that are no cell data names.
std::string fillerLines(int32_t n) {
    std::string text;
    for (int32_t line = 1; line <= n; ++line) text += "_filler_" + std::to_string(line) + " 3.0\n";
    return text;
}

/// The example monoclinic cell as written in the file, and its cell line.
const test::CellTexts example{"10.1234(5)", "9.8765(3)", "15.4321(8)", "90", "104.523(3)", "90"};
const std::string exampleLine = "10.1234    9.8765   15.4321    90.0000  104.5230   90.0000\n";

/// The text behind its first line.
std::string afterFirstLine(const std::string& text) {
    return text.substr(text.find('\n') + 1);
}

struct ExampleCase {
    const char* name;
    std::string text;
    const char* next;  ///< the item the structure file reads on from; nullptr: not checked
};

void PrintTo(const ExampleCase& row, std::ostream* out) {
    *out << row.name;
}

/// Layouts of the example cell: each gives its six values and its cell line.
class ExampleCellTest : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(ExampleCellTest, ReadsTheSixValuesAndWritesTheCellLine) {
    CellRun run(GetParam().text);

    expectCell(run.cell, 10.1234f, 9.8765f, 15.4321f, 90.0f, 104.523f, 90.0f);
    EXPECT_EQ(run.dir.reportText(), exampleLine);
    if (GetParam().next != nullptr) {
        EXPECT_EQ(nextItem(*run.structure), GetParam().next);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExampleCellTest,
    ::testing::Values(
        ExampleCase{"SixLinesInOrder",
                    "data_example\n_symmetry_cell_setting monoclinic\n" + cellLines(example, "  ") +
                        "_cell_volume  1500.2(3)\n",
                    "_cell_volume"},
        // Positionally the angles would come from a reflection count, a temperature and a
        // theta; the atom-site loop reads on behind the sixth line after the tag line.
        ExampleCase{"ValuesByTheirOwnNamesInAlphabeticalOrder",
                    "data_alphabetical\n" + test::alphabeticalCellLines() +
                        "_cell_measurement_reflns_used    5000\n"
                        "_cell_measurement_temperature    173(2)\n"
                        "_cell_measurement_theta_max      27.5\n"
                        "_cell_measurement_theta_min      2.1\n"
                        "_cell_volume                     1500.2(3)\n",
                    "_cell_measurement_theta_min"},
        ExampleCase{"TagAloneWithItsValueOnTheNextLine",
                    "_cell_length_a\n    10.1234(5)\n" + afterFirstLine(cellLines(example, "  ")) +
                        "_cell_volume  1500.2(3)\n",
                    "_cell_volume"},
        ExampleCase{"BlankLinesBetweenCellLines",
                    "data_blank_lines\n"
                    "\n"
                    "_cell_length_a  10.1234(5)\n"
                    "\n"
                    "_cell_length_b  9.8765(3)\n"
                    "_cell_length_c  15.4321(8)\n"
                    "   \n"
                    "_cell_angle_alpha  90\n"
                    "_cell_angle_beta  104.523(3)\n"
                    "\n"
                    "_cell_angle_gamma  90\n"
                    "_cell_volume  1500.2(3)\n",
                    "_cell_volume"},
        ExampleCase{"CarriageReturnLineEnds", withCarriageReturns(cellLines(example, "  ")),
                    nullptr},
        // Lines 301 to 306 are read as the cell lines; every one carries another data name.
        ExampleCase{"MendsATagLineBehindLine300", fillerLines(302) + cellLines(example, "  "),
                    "_cell_angle_beta"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CellBlockTest, WritesAHexagonalCellWithIntegerAngles) {
    CellRun run(cellLines({"5.947(2)", "5.947(2)", "8.375(3)", "90", "90", "120"}, "  "));

    expectCell(run.cell, 5.947f, 5.947f, 8.375f, 90.0f, 90.0f, 120.0f);
    EXPECT_EQ(run.dir.reportText(), " 5.9470    5.9470    8.3750    90.0000   90.0000  120.0000\n");
}

TEST(CellBlockTest, TurnsAnglesBelowOneIntoRightAnglesAndKeepsOne) {
    CellRun run(cellLines({"10", "123.4567(8)", "0.5", "0.999", "1.0", "?"}, "  "));

    expectCell(run.cell, 10.0f, 123.456f, 0.5f, 90.0f, 1.0f, 90.0f);
    EXPECT_EQ(run.dir.reportText(), "10.0000   *******    0.5000    90.0000    1.0000   90.0000\n");
}

TEST(CellBlockTest, UnreadableLengthHoldsZero) {
    CellRun run(cellLines({"?", "7.1", "7.2", "90.0", "90.0", "90.0"}, "  "));

    expectCell(run.cell, 0.0f, 7.1f, 7.2f, 90.0f, 90.0f, 90.0f);
}

/// A first line that looks like the tag but is not, in front of a true cell block.
class UnrecognisedTagTest : public ::testing::TestWithParam<const char*> {};

TEST_P(UnrecognisedTagTest, SearchGoesOnToTheTrueTagLine) {
    CellRun run(std::string(GetParam()) + "\n" + cellLines(example, "  "));

    EXPECT_EQ(run.cell.a, 10.1234f);
}

INSTANTIATE_TEST_SUITE_P(Lines, UnrecognisedTagTest,
                         ::testing::Values("_cell_length_a 5.5", "_cell_length_a\t5.5",
                                           " _cell_length_a  5.5", "_CELL_LENGTH_A  5.5"));

struct FailureCase {
    const char* name;
    std::string text;
    const char* message;
};

void PrintTo(const FailureCase& row, std::ostream* out) {
    *out << row.name;
}

class CellBlockFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CellBlockFailureTest, EndsTheRunAtTheEndOfTheFile) {
    EXPECT_EQ(failureOf(GetParam().text), GetParam().message);
}

const std::string singleBlankBlock = cellLines(example);

INSTANTIATE_TEST_SUITE_P(
    Files, CellBlockFailureTest,
    ::testing::Values(
        FailureCase{"EmptyFile", "", "at.cif, record 1: end of file"},
        FailureCase{"SingleBlankAfterTag", singleBlankBlock, "at.cif, record 7: end of file"},
        FailureCase{"NoTagInTenLines", fillerLines(10), "at.cif, record 11: end of file"},
        FailureCase{"NoTagInExactly300Lines", fillerLines(300), "at.cif, record 301: end of file"},
        FailureCase{"FileEndsInTheCellLines", "_cell_length_a  10\n_cell_length_b  11\n",
                    "at.cif, record 3: end of file"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CellBlockTest, ReadsLine301AsTheCellWhenNoLineHoldsTheTag) {
    CellRun run(fillerLines(300) +
                "x1 1.5\n"
                "x2 2.5(1)\n"
                "x3 3.5\n"
                "x4 0.5\n"
                "x5 95.5\n"
                "x6 100(1)\n"
                "after\n");

    expectCell(run.cell, 1.5f, 2.5f, 3.5f, 90.0f, 95.5f, 100.0f);
    EXPECT_EQ(nextItem(*run.structure), "after");
}

struct ByNameCase {
    const char* name;
    const char* alphaLines;  ///< the lines that stand at the end of the file
    float alpha;
};

void PrintTo(const ByNameCase& row, std::ostream* out) {
    *out << row.name;
}

class AlphaByNameTest : public ::testing::TestWithParam<ByNameCase> {};

// Alphabetical order, alpha on the line of a reflection count (5000) unless its own line
// gives a value.
TEST_P(AlphaByNameTest, TakesAlphaFromItsOwnLineOrKeepsThePositionalValue) {
    CellRun run(std::string("_cell_angle_beta                 104.523(3)\n"
                            "_cell_angle_gamma                90\n"
                            "_cell_length_a                   10.1234(5)\n"
                            "_cell_length_b                   9.8765(3)\n"
                            "_cell_length_c                   15.4321(8)\n"
                            "_cell_measurement_reflns_used    5000\n"
                            "_cell_measurement_temperature    173(2)\n"
                            "_cell_measurement_theta_max      27.5\n"
                            "_cell_volume                     1500.2(3)\n") +
                GetParam().alphaLines);

    expectCell(run.cell, 10.1234f, 9.8765f, 15.4321f, GetParam().alpha, 104.523f, 90.0f);
    EXPECT_EQ(nextItem(*run.structure), "_cell_volume");
}

INSTANTIATE_TEST_SUITE_P(
    Files, AlphaByNameTest,
    ::testing::Values(ByNameCase{"Missing", "", 5000.0f},
                      ByNameCase{"OwnLine", "_cell_angle_alpha 95.5(2)\n", 95.5f},
                      ByNameCase{"ValueOnTheNextLine", "_cell_angle_alpha\n\n  95.5\n", 95.5f},
                      ByNameCase{"QuotedValue", "_cell_angle_alpha '95.5'\n", 95.5f},
                      ByNameCase{"FirstOfTwo", "_cell_angle_alpha 95.5\n_cell_angle_alpha 80\n",
                                 95.5f},
                      ByNameCase{"AtTheEndOfTheFile", "_cell_angle_alpha\n", 5000.0f},
                      ByNameCase{"FollowedByASlash", "_cell_angle_alpha / 95.5\n", 5000.0f},
                      ByNameCase{"FollowedByAnEmptyItem", "_cell_angle_alpha,,95.5\n", 5000.0f},
                      ByNameCase{"NotTheFirstItem", "# _cell_angle_alpha 95.5\n", 5000.0f},
                      ByNameCase{"LongerName", "_cell_angle_alpha_x 95.5\n", 5000.0f},
                      ByNameCase{"UnreadableValue", "_cell_angle_alpha ?\n", 90.0f}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace molframe
