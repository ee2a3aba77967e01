// Selection control file: flags and range from "kesp.dat", the SelectionSpec and the echo.
#include "prep/selection.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "prep/prep_support.hpp"
#include "run/failure.hpp"
#include "support/scratch.hpp"

namespace molframe {
namespace {

/// A run with the given groups, a control file holding controlText and an empty report.
struct SelectionRun {
    test::Scratch dir;
    std::unique_ptr<RunData> run;
    RecordFile control;
    RecordFile report;

    SelectionRun(const std::vector<int32_t>& groupSizes, const std::string& controlText)
        : run(test::runWithGroups(groupSizes)),
          control(dir.file("kesp.dat")),
          report(dir.file("at.dat")) {
        dir.write("kesp.dat", controlText);
        control.open();
        report.open();
    }

    /// Reads the selection and returns the report's text.
    std::string readAndEcho() {
        readSelection(*run, control, report);
        report.flush();
        return dir.read("at.dat");
    }
};

/// What the selection leaves behind besides the echo.
struct SpecRead {
    int32_t flagSum;
    int32_t rangeFirst;  // 0 in flag mode: the range is not read
    int32_t rangeLast;
    int32_t recordsRead;  // records of "kesp.dat" consumed
};

struct SelectionCase {
    std::string name;
    std::vector<int32_t> groupSizes;
    std::string control;  // content of "kesp.dat"
    std::string echo;     // the whole report written
    SpecRead read;
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const SelectionCase& row, std::ostream* out) {
    *out << row.name;
}

class SelectionTest : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionTest, FillsTheSpecAndEchoes) {
    const SelectionCase& c = GetParam();
    SelectionRun s(c.groupSizes, c.control);
    EXPECT_EQ(s.readAndEcho(), c.echo);
    EXPECT_EQ(s.run->selection.flagSum, c.read.flagSum);
    EXPECT_EQ(s.run->selection.rangeFirst, c.read.rangeFirst);
    EXPECT_EQ(s.run->selection.rangeLast, c.read.rangeLast);
    EXPECT_EQ(s.control.recordsRead(), c.read.recordsRead);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectionTest,
    ::testing::Values(
        SelectionCase{"RangeExampleZeroFlags",
                      {6, 5, 8},
                      "00000000000\n5 0\n",
                      "\n    3    6    5    8   19    1    5\n",
                      {0, 1, 5, 2}},
        SelectionCase{"RangeExampleBlankFlags",
                      {6, 5, 8},
                      "\n5 0\n",
                      "\n    3    6    5    8   19    1    5\n",
                      {0, 1, 5, 2}},
        SelectionCase{
            "FlagExample", {3, 4}, "101\n", "\n    2    3    4    7\n101\n", {2, 0, 0, 1}},
        SelectionCase{"OneGroupConsumesFirstRecord",
                      {5},
                      "x-+9 junk\n2 4\n",
                      "\n    1    5    5    2    4\n",
                      {0, 2, 4, 2}},
        SelectionCase{"NoAtoms", {0}, "1111\n0 0\n", "\n    1    0    0    1    0\n", {0, 1, 0, 2}},
        SelectionCase{"OneDigitIgnoresRangeRecord",
                      {3, 4},
                      "001\n2 5\n",
                      "\n    2    3    4    7\n001\n",
                      {1, 0, 0, 1}},
        SelectionCase{"FlagColumnsPastTheLastAtomIgnored",
                      {3, 4},
                      "010abc\n",
                      "\n    2    3    4    7\n010\n",
                      {1, 0, 0, 1}},
        SelectionCase{"DigitsAboveOneEchoedAsRead",
                      {3, 4},
                      "203\n",
                      "\n    2    3    4    7\n203\n",
                      {5, 0, 0, 1}},
        SelectionCase{"ShortFlagRecordReadsBlanks",
                      {3, 4},
                      "1\n",
                      "\n    2    3    4    7\n100\n",
                      {1, 0, 0, 1}},
        SelectionCase{"RangeZeroZeroSelectsNone",
                      {6, 5, 8},
                      "0\n0 0\n",
                      "\n    3    6    5    8   19    1    0\n",
                      {0, 1, 0, 2}},
        SelectionCase{"RangeThreeToSeven",
                      {6, 5, 8},
                      "0\n3 7\n",
                      "\n    3    6    5    8   19    3    7\n",
                      {0, 3, 7, 2}},
        SelectionCase{"RangeSevenToThreeNotSwapped",
                      {6, 5, 8},
                      "0\n7 3\n",
                      "\n    3    6    5    8   19    7    3\n",
                      {0, 7, 3, 2}},
        SelectionCase{"RangeWithCommaOverBlankAndFollowingRecords",
                      {6, 5, 8},
                      "0\n\n 4,\n\n 9\nx\n",
                      "\n    3    6    5    8   19    4    9\n",
                      {0, 4, 9, 5}},
        SelectionCase{"RangeOutsideTableEchoedAsRead",
                      {6, 5, 8},
                      "0\n-2 400\n",
                      "\n    3    6    5    8   19   -2  400\n",
                      {0, -2, 400, 2}},
        SelectionCase{"SlashAfterOneBoundIsCountThenZero",
                      {6, 5, 8},
                      "0\n5 / 9\n",
                      "\n    3    6    5    8   19    1    5\n",
                      {0, 1, 5, 2}},
        SelectionCase{"SlashAloneSelectsNone",
                      {6, 5, 8},
                      "0\n/\n",
                      "\n    3    6    5    8   19    1    0\n",
                      {0, 1, 0, 2}},
        SelectionCase{"SevenGroupsRangeEchoOnTwoLines",
                      {1, 1, 1, 1, 1, 1, 2},
                      "000000\n2 3\n",
                      "\n    7    1    1    1    1    1    1    2    8    2\n\n    3\n",
                      {0, 2, 3, 2}},
        SelectionCase{"NineGroupsFlagEchoOnTwoLines",
                      {1, 1, 1, 1, 1, 1, 1, 1, 1},
                      "10000001\n",
                      "\n    9    1    1    1    1    1    1    1    1    1\n\n    9\n10000001\n",
                      {2, 0, 0, 1}}),
    [](const auto& info) { return info.param.name; });

TEST(SelectionFlagsTest, MoreThanEightyFlagsOverTwoRecords) {
    const std::string first = "1" + std::string(78, '0') + "27";  // column 81 is ignored
    SelectionRun s({85, 2}, first + "\n00009xyz\n3 4\n");
    EXPECT_EQ(s.readAndEcho(), "\n    2   85    2   87\n" + first.substr(0, 80) + "\n00009\n");
    EXPECT_EQ(s.run->selection.flagSum, 1 + 2 + 9);
    EXPECT_EQ(s.control.recordsRead(), 2);
    EXPECT_EQ(s.run->atoms.selectFlag[0], 1);
    EXPECT_EQ(s.run->atoms.selectFlag[79], 2);
    EXPECT_EQ(s.run->atoms.selectFlag[84], 9);
}

TEST(SelectionFlagsTest, FlagsOfTheLastGroupAreZero) {
    SelectionRun s({3, 4}, "120\n");
    s.run->atoms.selectFlag.fill(7);  // whatever the column held before
    s.readAndEcho();
    const std::vector<int32_t> flags(s.run->atoms.selectFlag.begin(),
                                     s.run->atoms.selectFlag.begin() + 8);
    EXPECT_EQ(flags, (std::vector<int32_t>{1, 2, 0, 0, 0, 0, 0, 7}));
}

TEST(SelectionFlagsTest, RangeModeLeavesEveryFlagZero) {
    SelectionRun s({3, 4}, "000\n2 6\n");
    s.run->atoms.selectFlag.fill(7);
    s.readAndEcho();
    for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(s.run->atoms.selectFlag[i], 0) << i;
}

// 25 type symbols of 12 atoms each fill the table: 288 flags over four records, an echo of
// 27 integers over three lines, each after an empty line.
TEST(SelectionFlagsTest, FullTableWithManyGroups) {
    std::vector<int32_t> sizes(25, 12);
    std::string flags(288, '0');
    flags[0] = '1';
    flags[287] = '3';
    const std::string records = flags.substr(0, 80) + "\n" + flags.substr(80, 80) + "\n" +
                                flags.substr(160, 80) + "\n" + flags.substr(240) + "\n";
    SelectionRun s(sizes, records);

    std::string tally = "\n   25";
    for (int32_t i = 1; i <= 25; ++i) {
        tally += "   12";
        if (i % 10 == 9) tally += "\n\n";
    }
    tally += "  300\n";
    EXPECT_EQ(s.readAndEcho(), tally + records);
    EXPECT_EQ(s.run->selection.flagSum, 4);
    EXPECT_EQ(s.control.recordsRead(), 4);
}

struct FailureCase {
    std::string name;
    std::vector<int32_t> groupSizes;
    std::string control;
    std::string cause;  // the diagnostic after "<file>, "
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const FailureCase& row, std::ostream* out) {
    *out << row.name;
}

class SelectionFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SelectionFailureTest, EndsTheRun) {
    const FailureCase& c = GetParam();
    SelectionRun s(c.groupSizes, c.control);
    try {
        readSelection(*s.run, s.control, s.report);
        FAIL() << "the run went on";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.message, s.dir.file("kesp.dat") + ", " + c.cause);
    }
    s.report.flush();
    EXPECT_EQ(s.dir.read("at.dat"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectionFailureTest,
    ::testing::Values(
        FailureCase{"EmptyFileFlagMode", {3, 4}, "", "record 1: end of file"},
        FailureCase{"EmptyFileOneGroup", {5}, "", "record 1: end of file"},
        FailureCase{"EndBeforeSecondFlagRecord",
                    {85, 2},
                    std::string(80, '0') + "\n",
                    "record 2: end of file"},
        FailureCase{"EndBeforeRange", {3, 4}, "000\n", "record 2: end of file"},
        FailureCase{"EndBeforeSecondBound", {3, 4}, "000\n5\n\n", "record 4: end of file"},
        FailureCase{
            "LetterInFlagColumn", {3, 4}, "1x0\n", "record 1: bad integer \"x\" in column 2"},
        FailureCase{"SignInFlagColumn", {3, 4}, "10-\n", "record 1: bad integer \"-\" in column 3"},
        FailureCase{"RangeNotAnInteger",
                    {3, 4},
                    "000\n2 5.0\n",
                    "record 2: bad integer \"5.0\" in column 3"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace molframe
