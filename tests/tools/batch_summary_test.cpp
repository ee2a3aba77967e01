// Batch summary and command line: extents and atom counts read back from molframe's files,
// the table, the tab-separated file, the output names and the options.
#include "tools/batch_summary.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/batch_options.hpp"

namespace molframe::tools {
namespace {

// The tail of a report as molframe writes it, from the moments block on.
const std::string reportTail =
    "\n"
    " Molecular moments\n"
    "  20.00000   0.00000   0.00000\n"
    "   0.00000   8.00000   0.00000\n"
    "   0.00000   0.00000   0.00000\n"
    "\n"
    " Molecular orientation vectors\n"
    "   4.47214 A  VL =    1.00000   0.00000   0.00000\n"
    "   2.82843 A  VS =    0.00000   1.00000   0.00000\n"
    "   0.00000 A  VV =    0.00000   0.00000   1.00000\n"
    "\n"
    " Molecular Coordinates\n"
    "       VL//      VS//      VV//\n"
    "   1   1.00000   0.00000   0.00000    C1  C    0\n";

TEST(BatchSummaryTest, ExtentsAreTheFirstTenColumnsOfTheAxisLines) {
    const auto extents = extentsOfReport(reportTail);
    ASSERT_TRUE(extents.has_value());
    EXPECT_EQ(*extents, (std::array<std::string, 3>{"4.47214", "2.82843", "0.00000"}));

    // A report cut short before the VV line has no extents.
    const std::string cut = reportTail.substr(0, reportTail.find("   0.00000 A  VV"));
    EXPECT_FALSE(extentsOfReport(cut).has_value());
    EXPECT_FALSE(extentsOfReport("").has_value());
}

TEST(BatchSummaryTest, AtomCountIsTheFirstRecordOfTheXyzFile) {
    EXPECT_EQ(atomsOfXyz(" 17\n\nC     1.0000000   0.0000000   0.0000000\n"), "17");
    EXPECT_EQ(atomsOfXyz("  0\n\n"), "0");
    EXPECT_FALSE(atomsOfXyz("").has_value());
    EXPECT_FALSE(atomsOfXyz("\n").has_value());
}

TEST(BatchSummaryTest, FirstLineSkipsBlankLinesAndTrims) {
    EXPECT_EQ(firstLine("\n  \n  molframe: at.cif, record 3: end of file  \nmore\n"),
              "molframe: at.cif, record 3: end of file");
    EXPECT_EQ(firstLine("only\r\n"), "only");
    EXPECT_EQ(firstLine("\n\n"), "");
}

const std::vector<SummaryRow> rows = {
    {"a/cod-2016949.cif", "17", {"5.12345", "3.00000", "0.00010"}, "ok", ""},
    {"broken.cif",
     "-",
     {"-", "-", "-"},
     "import failed (status 2)",
     "molframe-import: broken.cif:3:1: Wrong\tnumber"},
};

TEST(BatchSummaryTest, TableAlignsColumnsNumbersToTheRight) {
    EXPECT_EQ(formatSummaryTable(rows),
              "file               atoms       VL       VS       VV  status                    "
              "diagnostic\n"
              "a/cod-2016949.cif     17  5.12345  3.00000  0.00010  ok\n"
              "broken.cif             -        -        -        -  import failed (status 2)  "
              "molframe-import: broken.cif:3:1: Wrong\tnumber\n");
}

TEST(BatchSummaryTest, TsvHasAHeadingAndOneLinePerStructure) {
    EXPECT_EQ(formatSummaryTsv(rows),
              "file\tatoms\tVL\tVS\tVV\tstatus\tdiagnostic\n"
              "a/cod-2016949.cif\t17\t5.12345\t3.00000\t0.00010\tok\t\n"
              "broken.cif\t-\t-\t-\t-\timport failed (status 2)\t"
              "molframe-import: broken.cif:3:1: Wrong number\n");
}

TEST(BatchOptionsTest, OutputStemsAreMadeUnique) {
    const std::vector<std::string> inputs = {"a/x.cif", "b/x.cif", "x-2.cif", "c/x.cif", "y"};
    EXPECT_EQ(outputStems(inputs), (std::vector<std::string>{"x", "x-2", "x-2-2", "x-3", "y"}));
}

TEST(BatchOptionsTest, ReadsJobsSelectionFileOutputFolderAndInputs) {
    std::string problem;
    const std::vector<std::string> args = {"-j",    "3",  "a.cif", "--kesp",
                                           "k.dat", "-o", "out",   "b.cif"};
    const auto options = parseBatchOptions(args, 8, problem);
    ASSERT_TRUE(options.has_value()) << problem;
    EXPECT_EQ(options->jobs, 3);
    EXPECT_EQ(options->kespFile, "k.dat");
    EXPECT_EQ(options->outputDir, "out");
    EXPECT_EQ(options->inputs, (std::vector<std::string>{"a.cif", "b.cif"}));

    const std::vector<std::string> plain = {"a.cif"};
    const auto defaults = parseBatchOptions(plain, 8, problem);
    ASSERT_TRUE(defaults.has_value());
    EXPECT_EQ(defaults->jobs, 8);
    EXPECT_FALSE(defaults->kespFile.has_value());
    EXPECT_EQ(defaults->outputDir, "molframe-out");
    EXPECT_EQ(parseBatchOptions(plain, 0, problem)->jobs, 1);  // no core count known
}

TEST(BatchOptionsTest, RefusesBadCommandLines) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "no input files"},
        {{"-j", "2"}, "no input files"},
        {{"-j", "0", "a.cif"}, "-j needs a whole number of at least 1, not \"0\""},
        {{"-j", "2x", "a.cif"}, "-j needs a whole number of at least 1, not \"2x\""},
        {{"a.cif", "--kesp"}, "--kesp needs a value"},
        {{"--jobs", "2", "a.cif"}, "unknown option --jobs"}};
    for (const auto& [args, message] : cases) {
        std::string problem;
        EXPECT_FALSE(parseBatchOptions(args, 4, problem).has_value()) << message;
        EXPECT_EQ(problem, message);
    }
}

}  // namespace
}  // namespace molframe::tools
