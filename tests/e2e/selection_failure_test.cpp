// A selection control file that is missing, ends early or holds a bad value ends the run after
// the atom listing: status 2, the diagnostic, "at.dat" with exactly the cell line and the listing.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "support/cif_text.hpp"
#include "support/scratch.hpp"

namespace molframe {
namespace {

const std::string structure = "data_small\n" +
                              test::cellLines({"10.0", "11.0", "12.0", "90", "90", "90"}, "   ") +
                              test::atomSiteHeader() +
                              "O1 O 0.1 0.2 0.3 . .\n"
                              "C1 C 0.4 0.5 0.6 . .\n"
                              "C2 C 0.7 0.8 0.9 . .\n"
                              "loop_\n";

const char* const cellLineAndListing =
    "10.0000   11.0000   12.0000    90.0000   90.0000   90.0000\n"
    "   1    0.10000   0.20000   0.30000    O1   O   \n"
    "   2    0.40000   0.50000   0.60000    C1   C   \n"
    "   2    0.70000   0.80000   0.90000    C2   C   \n";

struct FailureCase {
    std::string name;
    std::optional<std::string> control;  // "kesp.dat"; none: the file is missing
    std::optional<std::string> oldXyz;   // "mc.xyz" before the run; none: missing
    std::string diagnostic;
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const FailureCase& row, std::ostream* out) {
    *out << row.name;
}

class SelectionFailureRunTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SelectionFailureRunTest, EndsAfterTheListing) {
    const FailureCase& c = GetParam();
    test::Scratch dir;
    dir.write("at.cif", structure);
    // An older, longer report is cut to what this run writes.
    dir.write("at.dat", std::string(cellLineAndListing) + "old report line\n");
    if (c.control) dir.write("kesp.dat", *c.control);
    if (c.oldXyz) dir.write("mc.xyz", *c.oldXyz);

    const test::ProcessResult result = test::runMolframeIn(dir.path());

    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "molframe: " + c.diagnostic + "\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(dir.read("at.dat"), cellLineAndListing);
    EXPECT_TRUE(dir.exists("mc.xyz"));
    EXPECT_EQ(dir.read("mc.xyz"), c.oldXyz.value_or(""));
    EXPECT_TRUE(dir.exists("kesp.dat"));
    EXPECT_EQ(dir.read("kesp.dat"), c.control.value_or(""));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectionFailureRunTest,
    ::testing::Values(
        FailureCase{"MissingControlFile", std::nullopt, std::nullopt,
                    "kesp.dat, record 1: end of file"},
        FailureCase{"EmptyControlFile", "", "3\n\nold xyz\n", "kesp.dat, record 1: end of file"},
        FailureCase{"RangeMissing", "0\n", "3\n\nold xyz\n", "kesp.dat, record 2: end of file"},
        FailureCase{"LetterInFlagColumn", "a\n3 4\n", std::nullopt,
                    "kesp.dat, record 1: bad integer \"a\" in column 1"},
        FailureCase{"SignInFlagColumn", "-1\n", "3\n\nold xyz\n",
                    "kesp.dat, record 1: bad integer \"-\" in column 1"},
        FailureCase{"RangeNotAnInteger", "0\n1 2.5\n", std::nullopt,
                    "kesp.dat, record 2: bad integer \"2.5\" in column 3"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace molframe
