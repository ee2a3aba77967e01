// Structure import and its layout: small CIF texts in, the exact "at.cif" text out.
#include "tools/import_structure.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/cif_text.hpp"
#include "tools/structure_layout.hpp"

namespace molframe::tools {
namespace {

using molframe::test::alignedCellLines;
using molframe::test::atomSiteColumns;
using molframe::test::cellLines;
using molframe::test::labelAndCoordinateColumns;

/// What the importer writes in front of the rows.
const std::string loopHeader = molframe::test::atomSiteHeader();

/// The lengths 10, 11, 12 and right angles.
const molframe::test::CellTexts right{"10.0", "11.0", "12.0", "90.0", "90.0", "90.0"};

/// The six cell lines as written for the right cell.
const std::string rightCell = alignedCellLines(right);

const std::string rightCellInput = cellLines(right);

ImportedStructure importText(const std::string& text,
                             const std::optional<std::string>& block = std::nullopt) {
    return importStructure(text, "x.cif", block);
}

std::string convert(const std::string& text,
                    const std::optional<std::string>& block = std::nullopt) {
    return formatStructureFile(importText(text, block));
}

std::string importError(const std::string& text,
                        const std::optional<std::string>& block = std::nullopt) {
    try {
        importText(text, block);
    } catch (const ImportError& error) {
        return error.message;
    }
    return "(no error)";
}

TEST(ImportStructureTest, WritesCellByNameAndTheFiveColumnsInTheirOrder) {
    // Alphabetical cell block, type symbol before label, extra columns: the common public form.
    const std::string input = "data_first\n" + molframe::test::alphabeticalCellLines() +
                              "_cell_measurement_temperature    100(2)\n"
                              "loop_\n"
                              "_atom_site_type_symbol\n"
                              "_atom_site_label\n"
                              "_atom_site_fract_X\n"
                              "_atom_site_fract_y\n"
                              "_atom_site_fract_z\n"
                              "_atom_site_U_iso_or_equiv\n"
                              "O O1 0.12345(6) -0.0123(4) 0.5 0.0213(3)\n"
                              "C C10A1 0.25 0.75 -0.125 .\n"
                              "loop_\n"
                              "_geom_bond_atom_site_label_1\n"
                              "O1\n";
    EXPECT_EQ(convert(input), "data_first\n" +
                                  alignedCellLines({"10.1234(5)", "9.8765(3)", "15.4321(8)", "90",
                                                    "104.523(3)", "90"}) +
                                  loopHeader +
                                  "O1 O 0.12345(6) -0.0123(4) 0.5 . .\n"
                                  "C10A1 C 0.25 0.75 -0.125 . .\n"
                                  "loop_\n");
}

TEST(ImportStructureTest, QuotesTextsThatHoldABlankOrBeginWithAQuote) {
    const std::string input = "data_q\n" + rightCellInput + atomSiteColumns() +
                              "'C 1' C 0.1 0.2 0.3\n"
                              "\"O'2\" O 0.4 0.5 0.6\n"
                              "\"'N3\" N 0.7 0.8 0.9\n"
                              "'S4,a' S 0.1 0.1 0.1\n";
    EXPECT_EQ(convert(input), "data_q\n" + rightCell + loopHeader +
                                  "'C 1' C 0.1 0.2 0.3 . .\n"
                                  "O'2 O 0.4 0.5 0.6 . .\n"
                                  "\"'N3\" N 0.7 0.8 0.9 . .\n"
                                  "'S4,a' S 0.1 0.1 0.1 . .\n"
                                  "loop_\n");
}

/// A structure the importer completes or trims, with the notes that say so.
struct NoteCase {
    const char* name;
    std::string input;
    std::string written;             ///< the whole "at.cif" text
    std::vector<std::string> notes;  ///< every note, in order
};

void PrintTo(const NoteCase& row, std::ostream* out) {
    *out << row.name;
}

class ImportNoteTest : public ::testing::TestWithParam<NoteCase> {};

TEST_P(ImportNoteTest, WritesTheMendedStructureAndSaysWhat) {
    const ImportedStructure structure = importText(GetParam().input);
    EXPECT_EQ(formatStructureFile(structure), GetParam().written);
    EXPECT_EQ(structure.notes, GetParam().notes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportNoteTest,
    ::testing::Values(
        NoteCase{"TypeSymbolsFromLabelsWhenTheLoopHasNone",
                 "data_t\n" + rightCellInput + labelAndCoordinateColumns() +
                     "Cl12 0.1 0.2 0.3\nC1A 0.4 0.5 0.6\nCL2 0.1 0.1 0.1\n1X 0.2 0.2 0.2\n",
                 "data_t\n" + rightCell + loopHeader +
                     "Cl12 Cl 0.1 0.2 0.3 . .\n"
                     "C1A C 0.4 0.5 0.6 . .\n"
                     "CL2 C 0.1 0.1 0.1 . .\n"
                     "1X ? 0.2 0.2 0.2 . .\n"
                     "loop_\n",
                 {"4 of 4 sites without _atom_site_type_symbol: taken from the label"}},
        NoteCase{"LabelsFromTypeSymbolAndRowNumberWhenMissing",
                 "data_l\n" + rightCellInput +
                     "loop_\n_atom_site_type_symbol\n_atom_site_fract_x\n"
                     "_atom_site_fract_y\n_atom_site_fract_z\n"
                     "O 0.1 0.2 0.3\nC 0.4 0.5 0.6\n",
                 "data_l\n" + rightCell + loopHeader +
                     "O1 O 0.1 0.2 0.3 . .\n"
                     "C2 C 0.4 0.5 0.6 . .\n"
                     "loop_\n",
                 {"2 of 2 sites without a usable _atom_site_label: type symbol and row number"}},
        NoteCase{"MissingAngleIsNinety",
                 "data_m\n_cell_length_a 5.0\n_cell_length_b 6.0\n_cell_length_c 7.0\n"
                 "_cell_angle_beta 95.5(1)\n_cell_angle_gamma ?\n" +
                     atomSiteColumns() + "Fe1 Fe 0 0 0\n",
                 "data_m\n" + alignedCellLines({"5.0", "6.0", "7.0", "90.0", "95.5(1)", "90.0"}) +
                     loopHeader + "Fe1 Fe 0 0 0 . .\nloop_\n",
                 {"no value for _cell_angle_alpha, written as 90.0",
                  "no value for _cell_angle_gamma, written as 90.0"}},
        NoteCase{"SitesWithoutCoordinatesAreLeftOut",
                 "data_d\n" + rightCellInput + atomSiteColumns() +
                     "C1 C 0.1 0.2 0.3\nQ1 C ? ? ?\nC2 C 0.4 . 0.6\nC3 C 0.5 0.5 0.5\n",
                 "data_d\n" + rightCell + loopHeader +
                     "C1 C 0.1 0.2 0.3 . .\n"
                     "C3 C 0.5 0.5 0.5 . .\n"
                     "loop_\n",
                 {"2 sites without fractional coordinates left out: Q1 C2"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImportStructureTest, UnusableLabelsAreReplacedByTypeSymbolAndRowNumber) {
    // A blank label, or one that molframe would read as the end of the rows.
    const std::string unusable = "data_u\n" + rightCellInput + atomSiteColumns() +
                                 "'  ' O 0.1 0.2 0.3\nloop1 C 0.4 0.5 0.6\nN3 N 0.7 0.8 0.9\n";
    EXPECT_EQ(convert(unusable), "data_u\n" + rightCell + loopHeader +
                                     "O1 O 0.1 0.2 0.3 . .\n"
                                     "C2 C 0.4 0.5 0.6 . .\n"
                                     "N3 N 0.7 0.8 0.9 . .\n"
                                     "loop_\n");
}

TEST(ImportStructureTest, TwoDataBlocksWithAndWithoutBlockName) {
    const molframe::test::CellTexts cube{"4.0", "4.0", "4.0", "90", "90", "90"};
    const std::string input =
        "data_global\n_journal_year 2001\n"
        "data_First\n" +
        rightCellInput + labelAndCoordinateColumns() +
        "O1 0.1 0.2 0.3\n"
        "data_second\n" +
        cellLines(cube) + labelAndCoordinateColumns() + "Na1 0 0 0\n";
    const std::string first =
        "data_First\n" + rightCell + loopHeader + "O1 O 0.1 0.2 0.3 . .\nloop_\n";
    const std::string second =
        "data_second\n" + alignedCellLines(cube) + loopHeader + "Na1 Na 0 0 0 . .\nloop_\n";
    EXPECT_EQ(convert(input), first);  // the first block with a cell and coordinates
    EXPECT_EQ(convert(input, "second"), second);
    EXPECT_EQ(convert(input, "SECOND"), second);  // block names ignore letter case
    EXPECT_EQ(convert(input, "first"), first);
    EXPECT_EQ(importError(input, "third"), "x.cif: no data block named third");
    EXPECT_EQ(importError(input, "global"), "x.cif: data_global: no value for _cell_length_a");
}

TEST(ImportStructureTest, DottedDataNamesAreReadLikeTheUnderscoredOnes) {
    const std::string input =
        "data_dot\n_cell.length_a 10.0\n_cell.length_b 11.0\n_cell.length_c 12.0\n"
        "_cell.angle_alpha 90.0\n_cell.angle_beta 90.0\n_cell.angle_gamma 90.0\n"
        "loop_\n_atom_site.label\n_atom_site.type_symbol\n_atom_site.fract_x\n"
        "_atom_site.fract_y\n_atom_site.fract_z\nK1 K 0.5 0.5 0.5\n";
    EXPECT_EQ(convert(input),
              "data_dot\n" + rightCell + loopHeader + "K1 K 0.5 0.5 0.5 . .\nloop_\n");
}

TEST(ImportStructureTest, MoreThanThreeHundredSitesAreAllWrittenWithANote) {
    std::string input = "data_big\n" + rightCellInput + labelAndCoordinateColumns();
    for (int i = 1; i <= 301; ++i) {
        input += 'C';
        input += std::to_string(i) + " 0.1 0.2 0.3\n";
    }
    const ImportedStructure structure = importText(input);
    ASSERT_EQ(structure.sites.size(), 301u);
    EXPECT_EQ(structure.sites[300].label, "C301");
    EXPECT_EQ(structure.notes.back(), "301 sites written; molframe reads the first 300");

    input.resize(input.size() - std::string("C301 0.1 0.2 0.3\n").size());
    for (const std::string& note : importText(input).notes) {
        EXPECT_EQ(note.find("molframe reads"), std::string::npos) << note;
    }
}

struct ErrorCase {
    const char* name;
    std::string text;
    const char* message;
};

void PrintTo(const ErrorCase& row, std::ostream* out) {
    *out << row.name;
}

class ImportErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ImportErrorTest, NamesFileAndCause) {
    EXPECT_EQ(importError(GetParam().text), GetParam().message);
}

const std::string sitesOnly = labelAndCoordinateColumns() + "O1 0.1 0.2 0.3\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportErrorTest,
    ::testing::Values(
        ErrorCase{"syntax", "data_s\n_cell_length_a 1\nloop_\n_a\n_b\n1 2 3\n",
                  "x.cif:3:1: Wrong number of values in the loop"},
        ErrorCase{"unterminated", "data_s\n_cell_length_a '1\n",
                  "x.cif:2:18: unterminated 'string'"},
        ErrorCase{"noBlock", "# nothing but a comment\n",
                  "x.cif: no data block with an atom-site loop of _atom_site_fract_x, _y and _z"},
        ErrorCase{"noCoordinates", "data_n\n" + rightCellInput + "_atom_site_label O1\n",
                  "x.cif: no data block with an atom-site loop of _atom_site_fract_x, _y and _z"},
        ErrorCase{"missingLength", "data_c\n_cell_length_a 5\n_cell_length_c 5\n" + sitesOnly,
                  "x.cif: data_c: no value for _cell_length_b"},
        ErrorCase{"unknownLength",
                  "data_c\n_cell_length_a 5\n_cell_length_b 5\n_cell_length_c ?\n" + sitesOnly,
                  "x.cif: data_c: no value for _cell_length_c"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TypeSymbolOfLabelTest, OneLetterOrTwoWhenTheSecondIsLowerCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"C1", "C"}, {"Cl12", "Cl"}, {"CL2", "C"}, {"H1A", "H"}, {"Na", "Na"},
        {"c3", "c"}, {"O", "O"},     {"1X", "?"},  {"", "?"},    {"'C", "?"}};
    for (const auto& [label, type] : cases) EXPECT_EQ(typeSymbolOfLabel(label), type) << label;
}

TEST(ItemTextTest, QuotesOnlyWhatWouldBreakTheReadOrTheFile) {
    const std::pair<const char*, const char*> cases[] = {
        {"C1", "C1"},     {"0.123(4)", "0.123(4)"}, {"C 1", "'C 1'"},         {"C\t1", "'C\t1'"},
        {"a,b", "'a,b'"}, {"1/2", "'1/2'"},         {"'x", "\"'x\""},         {"\"x", "'\"x'"},
        {"_x", "'_x'"},   {"#1", "'#1'"},           {"it's ok", "'it's ok'"}, {"x' y", "\"x' y\""},
        {"end'", "end'"}};
    for (const auto& [text, written] : cases) EXPECT_EQ(itemText(text), written) << text;
}

TEST(SelectAllFileTest, BlankFlagRecordsForEveryAtomThenTheRange) {
    const std::pair<std::size_t, std::string> cases[] = {
        {0, "\n0 0\n"},           {1, "\n1 0\n"},          {80, "\n80 0\n"},
        {81, "\n\n81 0\n"},       {160, "\n\n160 0\n"},    {161, "\n\n\n161 0\n"},
        {300, "\n\n\n\n300 0\n"}, {385, "\n\n\n\n300 0\n"}};
    for (const auto& [sites, text] : cases) EXPECT_EQ(formatSelectAllFile(sites), text) << sites;
}

}  // namespace
}  // namespace molframe::tools
