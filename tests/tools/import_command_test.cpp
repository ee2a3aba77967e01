// molframe-import run as a program: where it writes, what it says, and that a failure writes
// nothing.
#include "tools/import_command.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/cif_text.hpp"
#include "support/scratch.hpp"

namespace molframe::tools {
namespace {

namespace fs = std::filesystem;
using molframe::test::ProcessResult;
using molframe::test::Scratch;

const std::string importer = std::string(MOLFRAME_BINARY_DIR) + "/molframe-import";

ProcessResult runImporter(const Scratch& dir, const std::vector<std::string>& args) {
    return molframe::test::runProgram(importer, args, dir.path());
}

std::string corpus(const std::string& name) {
    return molframe::test::corpusPath(name).string();
}

/// The names in the folder, sorted.
std::vector<std::string> folderContent(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

/// The silicon cell, the same in the input and the output.
const molframe::test::CellTexts silicon{"5.4307(1)", "5.4307(1)", "5.4307(1)", "90", "90", "90"};

/// A small public file with CRLF line ends and no disorder columns.
const std::string smallCif = molframe::test::withCarriageReturns(
    "data_small\n" + molframe::test::cellLines(silicon) + molframe::test::atomSiteColumns() +
    "Si1 Si 0 0 0\nSi2 Si 0.25 0.25 0.25\n");

/// What molframe-import writes for smallCif.
const std::string smallAtCif = "data_small\n" + molframe::test::alignedCellLines(silicon) +
                               molframe::test::atomSiteHeader() +
                               "Si1 Si 0 0 0 . .\n"
                               "Si2 Si 0.25 0.25 0.25 . .\n"
                               "loop_\n";

/// One site without a type symbol: an atom-site loop the importer reads.
const std::string sitesWithoutTypes =
    molframe::test::labelAndCoordinateColumns() + "O1 0.1 0.2 0.3\n";

TEST(ImportCommandTest, WritesAtCifInTheWorkingFolderByDefault) {
    Scratch dir;
    dir.write("in.cif", smallCif);
    const ProcessResult result = runImporter(dir, {"in.cif"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(dir.read("at.cif"), smallAtCif);
    EXPECT_EQ(folderContent(dir.path()), (std::vector<std::string>{"at.cif", "in.cif"}));
}

TEST(ImportCommandTest, KespAllGoesBesideTheOutput) {
    Scratch dir;
    dir.write("in.cif", smallCif);
    fs::create_directory(dir.path() / "run");
    const ProcessResult result = runImporter(dir, {"--kesp", "all", "in.cif", "-o", "run/x.cif"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(dir.read("run/x.cif"), smallAtCif);
    EXPECT_EQ(dir.read("run/kesp.dat"), "\n2 0\n");
    EXPECT_EQ(folderContent(dir.path() / "run"), (std::vector<std::string>{"kesp.dat", "x.cif"}));
}

TEST(ImportCommandTest, DashWritesToStandardOutput) {
    Scratch dir;
    dir.write("in.cif", smallCif);
    const ProcessResult result = runImporter(dir, {"-o", "-", "--kesp", "all", "in.cif"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, smallAtCif);
    EXPECT_EQ(folderContent(dir.path()), (std::vector<std::string>{"in.cif", "kesp.dat"}));
}

TEST(ImportCommandTest, NotesGoToStandardErrorAndTheRunSucceeds) {
    Scratch dir;
    const ProcessResult result =
        runImporter(dir, {"--kesp", "all", corpus("cod-9014915.cif"), "-o", "at.cif"});
    EXPECT_EQ(result.status, 0);
    const std::string prefix = "molframe-import: " + corpus("cod-9014915.cif") + ": note: ";
    EXPECT_EQ(result.err,
              prefix + "385 of 385 sites without _atom_site_type_symbol: taken from the label\n" +
                  prefix + "385 sites written; molframe reads the first 300\n");
    const std::string atCif = dir.read("at.cif");
    EXPECT_EQ(std::count(atCif.begin(), atCif.end(), '\n'), 1 + 6 + 8 + 385 + 1);
    EXPECT_EQ(dir.read("kesp.dat"), "\n\n\n\n300 0\n");
}

TEST(ImportCommandTest, TwoDataBlocksOfARealFile) {
    // cod-1000000: a global block without a cell, then the structure; CRLF line ends.
    Scratch dir;
    ProcessResult result = runImporter(dir, {corpus("cod-1000000.cif")});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string atCif = dir.read("at.cif");
    EXPECT_EQ(atCif.substr(0, atCif.find('\n')), "data_C5H17AlN2O8P2");
    EXPECT_EQ(atCif.find('\r'), std::string::npos);

    result = runImporter(dir, {"--block", "c5h17aln2o8p2", corpus("cod-1000000.cif"), "-o", "-"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, atCif);
}

struct FailureCase {
    const char* name;
    std::vector<std::string> args;
    std::string message;  ///< the whole of standard error
};

void PrintTo(const FailureCase& row, std::ostream* out) {
    *out << row.name;
}

class ImportFailureTest : public ::testing::TestWithParam<FailureCase> {};

// Each failure: one line on standard error, status 2, and the folder exactly as it was.
TEST_P(ImportFailureTest, SaysWhyAndWritesNothing) {
    Scratch dir;
    dir.write("at.cif", "old structure\n");
    dir.write("kesp.dat", "old selection\n");
    dir.write("broken.cif", "data_b\n_cell_length_a 1\nloop_\n_a\n_b\n1 2 3\n");
    dir.write("nocell.cif", "data_n\n_cell_length_a 5\n_cell_length_b 5\n" + sitesWithoutTypes);
    dir.write("nosites.cif", "data_s\n_cell_length_a 5\n");
    const std::vector<std::string> before = folderContent(dir.path());

    const ProcessResult result = runImporter(dir, GetParam().args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, GetParam().message);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(folderContent(dir.path()), before);
    EXPECT_EQ(dir.read("at.cif"), "old structure\n");
    EXPECT_EQ(dir.read("kesp.dat"), "old selection\n");
}

const std::string usageLine =
    "usage: molframe-import [--block NAME] [--kesp all] INPUT.cif [-o OUTPUT]\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportFailureTest,
    ::testing::Values(
        FailureCase{"missingFile",
                    {"--kesp", "all", "none.cif"},
                    "molframe-import: none.cif: cannot read: No such file or directory\n"},
        FailureCase{"folder", {"."}, "molframe-import: .: cannot read: is a directory\n"},
        FailureCase{"syntaxError",
                    {"--kesp", "all", "broken.cif"},
                    "molframe-import: broken.cif:3:1: Wrong number of values in the loop\n"},
        FailureCase{"syntaxErrorOfARealFile",
                    {corpus("structurefinder-breit_tb13_85.cif")},
                    "molframe-import: " + corpus("structurefinder-breit_tb13_85.cif") +
                        ":55 in data_Breit_TB13_85: _cell_volume has no value\n"},
        FailureCase{"noSuitableBlock",
                    {"--kesp", "all", "nosites.cif"},
                    "molframe-import: nosites.cif: no data block with an atom-site loop of "
                    "_atom_site_fract_x, _y and _z\n"},
        FailureCase{"missingCellLength",
                    {"--kesp", "all", "nocell.cif"},
                    "molframe-import: nocell.cif: data_n: no value for _cell_length_c\n"},
        FailureCase{"unknownBlock",
                    {"--block", "x", "nocell.cif"},
                    "molframe-import: nocell.cif: no data block named x\n"},
        FailureCase{"missingOutputFolder",
                    {"--kesp", "all", corpus("cod-2016949.cif"), "-o", "no/at.cif"},
                    "molframe-import: no/at.cif: cannot write: No such file or directory\n"},
        FailureCase{"noInput", {}, "molframe-import: no input file\n" + usageLine},
        FailureCase{"twoInputs",
                    {"a.cif", "b.cif"},
                    "molframe-import: more than one input file (a.cif, b.cif)\n" + usageLine},
        FailureCase{"kespOtherThanAll",
                    {"--kesp", "5", "a.cif"},
                    "molframe-import: --kesp takes only \"all\", not \"5\"\n" + usageLine},
        FailureCase{"optionWithoutValue",
                    {"a.cif", "-o"},
                    "molframe-import: -o needs a value\n" + usageLine},
        FailureCase{
            "unknownOption", {"-x", "a.cif"}, "molframe-import: unknown option -x\n" + usageLine}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace molframe::tools
