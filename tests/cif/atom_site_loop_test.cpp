// Atom-site loop: the end of the header (disorder items or fallback), the rows and siteCount.
#include "cif/atom_site_loop.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cif/cif_support.hpp"
#include "run/failure.hpp"
#include "support/cif_text.hpp"
#include "support/site_row.hpp"

namespace molframe {
namespace {

using testing::CifFiles;
using testing::nextItem;

/// One stored row: label and type symbol as read (cut to 4), coordinates bit for bit.
using Row = test::SiteRow;

void expectRow(const SiteTable& sites, int32_t index, const Row& row) {
    test::expectSiteRow(sites, index, row);
}

/// The loop read from the top of the text as "at.cif".
struct LoopRun {
    CifFiles dir;
    std::unique_ptr<SiteTable> sites = std::make_unique<SiteTable>();
    int32_t siteCount = -1;
    RecordFile* structure = nullptr;

    explicit LoopRun(const std::string& text) {
        structure = &dir.structure(text);
        readAtomSiteLoop(*structure, *sites, siteCount);
    }
};

const std::string loopHeader =
    "loop_\n"
    "_atom_site_label\n"
    "_atom_site_type_symbol\n"
    "_atom_site_fract_x\n"
    "_atom_site_fract_y\n"
    "_atom_site_fract_z\n"
    "_atom_site_U_iso_or_equiv\n"
    "_atom_site_adp_type\n"
    "_atom_site_occupancy\n";

/// A header closed by the usual two disorder items.
const std::string disorderHeader =
    loopHeader + "_atom_site_disorder_assembly\n_atom_site_disorder_group\n";

struct LoopCase {
    const char* name;
    std::string text;
    std::vector<Row> rows;
};

void PrintTo(const LoopCase& row, std::ostream* out) {
    *out << row.name;
}

class AtomSiteLoopTest : public ::testing::TestWithParam<LoopCase> {};

TEST_P(AtomSiteLoopTest, StoresTheRows) {
    const LoopCase& expected = GetParam();
    LoopRun run(expected.text);

    ASSERT_EQ(run.siteCount, static_cast<int32_t>(expected.rows.size()));
    for (std::size_t i = 0; i < expected.rows.size(); ++i) {
        expectRow(*run.sites, static_cast<int32_t>(i), expected.rows[i]);
    }
}

const char* const oxygenRow = "O1 O 0.12345(6) -0.0123(4) 0.5 0.0213(3) Uani 1 1 d . . . . .\n";
const char* const carbonRow = "C10A1 C 0.2500(3) 0.7500(4) -0.1250(2) 0.02 Uani 1 1 d . . . .\n";
const Row oxygen{"O1", "O", 0.12345f, -0.0123f, 0.5f};
const Row carbon{"C10A", "C", 0.25f, 0.75f, -0.125f};

/// A header closed by "_atom_site_fract_z" (and what stands behind it on the line) alone.
std::string fractZHeader(const std::string& fractZLine) {
    const std::string columns = test::atomSiteColumns();
    return columns.substr(0, columns.find("_atom_site_fract_z")) + fractZLine + "\n";
}

INSTANTIATE_TEST_SUITE_P(
    Files, AtomSiteLoopTest,
    ::testing::Values(
        LoopCase{"TwoDisorderItems",
                 "data_x\n" + disorderHeader + oxygenRow + carbonRow + "loop_\n_atom_type_symbol\n",
                 {oxygen, carbon}},
        LoopCase{"OneDisorderItemLosesTheFirstRow",
                 "data_x\n" + loopHeader + "_atom_site_disorder_group\n" + oxygenRow + carbonRow,
                 {carbon}},
        LoopCase{"FallbackFindsFractZ",
                 "data_x\n" + fractZHeader("_atom_site_fract_z") + oxygenRow + carbonRow,
                 {oxygen, carbon}},
        LoopCase{"FallbackPassesOverColumn33On",
                 "data_x\n" + fractZHeader("_atom_site_fract_z              # z") + oxygenRow,
                 {oxygen}},
        LoopCase{"BlankLinesAndARowOverTwoLines",
                 disorderHeader + "\nC1 C\n\n   0.1 0.2\n 0.3 0.04 Uiso\n\nC2 C 0.4 0.5 0.6\n\n",
                 {{"C1", "C", 0.1f, 0.2f, 0.3f}, {"C2", "C", 0.4f, 0.5f, 0.6f}}},
        LoopCase{"EmptyLoop", disorderHeader + "loop_\n_atom_type_symbol\nC\nH\nO\n", {}},
        LoopCase{"UpperCaseLoopIsARow",
                 disorderHeader + oxygenRow + "LOOP_ a b c d\n",
                 {oxygen, {"LOOP", "a", 0.12345f, -0.0123f, 0.5f}}},
        LoopCase{"BlankQuotedLabelEndsTheRows",
                 disorderHeader + oxygenRow + "'' C 0.1 0.2 0.3\n",
                 {oxygen}},
        LoopCase{"EndOfFileInsideARowDropsIt", disorderHeader + oxygenRow + "C2 C 0.4\n", {oxygen}},
        LoopCase{"UnreadableCoordinatesInherit",
                 disorderHeader + "C0 C ? . 0.7(\nC1 C 0.1 0.2 0.3\nC2 C ? 0.5(1) .\n",
                 {{"C0", "C", 0.0f, 0.0f, 0.7f},
                  {"C1", "C", 0.1f, 0.2f, 0.3f},
                  {"C2", "C", 0.1f, 0.5f, 0.0f}}},
        LoopCase{"SlashKeepsThePreviousTexts",
                 disorderHeader + "C1 C 0.1 0.2 0.3\nH1 / 0.9 0.9 0.9\nH2 H 0.7 /\n",
                 {{"C1", "C", 0.1f, 0.2f, 0.3f},
                  {"H1", "C", 0.1f, 0.2f, 0.3f},
                  {"H2", "H", 0.7f, 0.2f, 0.3f}}},
        LoopCase{"DataNameAfterTheLastRowIsARow",
                 disorderHeader + "C1 C 0.1 0.2 0.3 Uiso\n_geom_special_details ?\n" +
                     "_refine_ls_wR_factor_ref 0.0812\nloop_\n_geom_bond_atom_site_label_1\n",
                 {{"C1", "C", 0.1f, 0.2f, 0.3f}, {"_geo", "?", 0.1f, 0.0812f, 0.3f}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtomSiteLoopLimitTest, Reads300RowsOfThe301) {
    std::string text = disorderHeader;
    for (int32_t row = 1; row <= 301; ++row) {
        text +=
            std::string("A") + std::to_string(row) + " C 0." + std::to_string(row) + " 0.5 0.25\n";
    }
    LoopRun run(text);

    EXPECT_EQ(run.siteCount, 300);
    expectRow(*run.sites, 0, {"A1", "C", 0.1f, 0.5f, 0.25f});
    expectRow(*run.sites, 299, {"A300", "C", 0.3f, 0.5f, 0.25f});
    EXPECT_EQ(nextItem(*run.structure), "A301");
}

TEST(AtomSiteLoopLimitTest, FallbackReadsRowsFromLine301WhenItFindsNothing) {
    // 300 lines and no line of the fractional z data name: the rows start behind line 300.
    std::string text = "  _atom_site_fract_z\n";
    for (int32_t line = 2; line <= 300; ++line) text += "# line " + std::to_string(line) + "\n";
    LoopRun run(text + "C1 C 0.1 0.2 0.3\n");

    EXPECT_EQ(run.siteCount, 1);
    expectRow(*run.sites, 0, {"C1", "C", 0.1f, 0.2f, 0.3f});
}

/// The failure of the phase on the text as "at.cif", the file named by its own name.
std::string failureOf(const std::string& text) {
    CifFiles dir;
    auto sites = std::make_unique<SiteTable>();
    int32_t siteCount = 0;
    try {
        readAtomSiteLoop(dir.structure(text), *sites, siteCount);
    } catch (const RunFailure& failure) {
        return dir.shortened(failure.message);
    }
    return "";
}

struct LoopFailureCase {
    const char* name;
    std::string text;
    const char* message;
};

void PrintTo(const LoopFailureCase& row, std::ostream* out) {
    *out << row.name;
}

class AtomSiteLoopFailureTest : public ::testing::TestWithParam<LoopFailureCase> {};

TEST_P(AtomSiteLoopFailureTest, EndsTheRunAtTheEndOfTheFile) {
    EXPECT_EQ(failureOf(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AtomSiteLoopFailureTest,
    ::testing::Values(LoopFailureCase{"IndentedFractZ",
                                      fractZHeader("  _atom_site_fract_z") + oxygenRow,
                                      "at.cif, record 8: end of file"},
                      LoopFailureCase{"FractZWithMoreText",
                                      fractZHeader("_atom_site_fract_z _atom_site_U") + oxygenRow,
                                      "at.cif, record 8: end of file"},
                      LoopFailureCase{"FractZInCapitals",
                                      fractZHeader("_atom_site_fract_Z") + oxygenRow,
                                      "at.cif, record 8: end of file"},
                      LoopFailureCase{"NothingAfterTheDisorderItem",
                                      "_atom_site_label\n_atom_site_disorder_group\n",
                                      "at.cif, record 3: end of file"}),
    [](const auto& info) { return std::string(info.param.name); });

/// The cell block that stands behind a loop in the next cases.
const test::CellTexts monoclinic{"10.0", "11.0", "12.0", "90.0", "95.0", "90.0"};

/// The cell block read first, then the loop read on behind it, as a run reads them.
class CellThenLoopTest : public ::testing::TestWithParam<LoopCase> {};

TEST_P(CellThenLoopTest, StoresTheRowsBehindTheCell) {
    const LoopCase& expected = GetParam();
    CifFiles dir;
    const testing::CellAndSites read = testing::readCellAndSites(dir, dir.structure(expected.text));

    ASSERT_EQ(read.siteCount, static_cast<int32_t>(expected.rows.size()));
    for (std::size_t i = 0; i < expected.rows.size(); ++i) {
        expectRow(*read.sites, static_cast<int32_t>(i), expected.rows[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, CellThenLoopTest,
    ::testing::Values(
        // The first disorder item of the file stands in front of the cell block and is not seen.
        LoopCase{"ReadsOnFromBehindTheCellBlock",
                 "data_x\n" + disorderHeader + "X1 X 0.9 0.9 0.9\nloop_\n_x\n" +
                     test::cellLines(monoclinic, "  ") + disorderHeader + oxygenRow + carbonRow,
                 {oxygen, carbon}},
        LoopCase{"FallbackFindsALoopInFrontOfTheCellBlock",
                 "data_x\n" + fractZHeader("_atom_site_fract_z") + oxygenRow + carbonRow +
                     "loop_\n_x\n" + test::cellLines(monoclinic, "  "),
                 {oxygen, carbon}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace molframe
