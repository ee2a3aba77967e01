// molframe-batch run as a program on real structures and a broken one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/scratch.hpp"
#include "tools/batch_run.hpp"
#include "tools/batch_summary.hpp"

namespace molframe::tools {
namespace {

namespace fs = std::filesystem;
using molframe::test::linesOf;
using molframe::test::ProcessResult;
using molframe::test::Scratch;

const std::string batch = std::string(MOLFRAME_BINARY_DIR) + "/molframe-batch";

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos;
         tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::vector<std::string> folderContent(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

/// The first twenty corpus structures that gemmi reads, by name.
std::vector<std::string> twentyStructures() {
    std::vector<std::string> names = molframe::test::corpusStructureNames();
    std::erase(names, "structurefinder-breit_tb13_85.cif");
    names.resize(20);
    return names;
}

TEST(BatchCommandTest, TwentyStructuresAndABrokenOneTwoAtATime) {
    Scratch dir;
    const fs::path corpus = molframe::test::sourcePath("tests/data/corpus");
    std::vector<std::string> args = {"-j", "2", "-o", "out"};
    const std::vector<std::string> names = twentyStructures();
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (k == 7) args.push_back("broken.cif");  // among the others, not at the end
        args.push_back((corpus / names[k]).string());
    }
    dir.write("broken.cif", "data_b\n_cell_length_a 1\nloop_\n_a\n_b\n1 2 3\n");

    const ProcessResult result = molframe::test::runProgram(batch, args, dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "");  // no progress line: standard error is not a terminal

    std::vector<std::string> expectedFiles = {"summary.tsv"};
    for (const std::string& name : names) {
        const std::string stem = fs::path(name).stem();
        expectedFiles.push_back(stem + ".dat");
        expectedFiles.push_back(stem + ".xyz");
    }
    std::sort(expectedFiles.begin(), expectedFiles.end());
    EXPECT_EQ(folderContent(dir.path() / "out"), expectedFiles);

    const std::vector<std::string> tsv = linesOf(dir.read("out/summary.tsv"));
    ASSERT_EQ(tsv.size(), 22u);
    EXPECT_EQ(tsv[0], "file\tatoms\tVL\tVS\tVV\tstatus\tdiagnostic");
    EXPECT_EQ(linesOf(result.out).size(), 22u);
    for (std::size_t row = 1; row < tsv.size(); ++row) {
        const std::vector<std::string> fields = fieldsOf(tsv[row]);
        ASSERT_EQ(fields.size(), 7u) << tsv[row];
        EXPECT_EQ(fields[0], args[4 + row - 1]) << "rows in the order of the inputs";
        if (fields[0] == "broken.cif") {
            EXPECT_EQ(fields[5], "import failed (status 2)");
            EXPECT_EQ(fields[6],
                      "molframe-import: broken.cif:3:1: Wrong number of values in the loop");
            continue;
        }
        // Each good row carries what the collected files say.
        const std::string stem = fs::path(fields[0]).stem();
        EXPECT_EQ(fields[5], "ok") << tsv[row];
        const auto extents = extentsOfReport(dir.read("out/" + stem + ".dat"));
        ASSERT_TRUE(extents.has_value());
        EXPECT_EQ((std::vector<std::string>{fields[2], fields[3], fields[4]}),
                  (std::vector<std::string>(extents->begin(), extents->end())));
        EXPECT_EQ(fields[1], atomsOfXyz(dir.read("out/" + stem + ".xyz")));
    }
}

TEST(BatchCommandTest, GivenSelectionFileIsUsedForEveryStructure) {
    Scratch dir;
    const std::string structure = molframe::test::corpusPath("cod-2016949.cif");
    fs::create_directory(dir.path() / "again");
    fs::copy_file(structure, dir.path() / "again" / "cod-2016949.cif");
    dir.write("kesp.dat", "\n3 0\n");  // the first three atoms in range mode

    const ProcessResult result = molframe::test::runProgram(
        batch, {"--kesp", "kesp.dat", structure, "again/cod-2016949.cif", "-o", "out"}, dir.path());
    EXPECT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_EQ(folderContent(dir.path() / "out"),
              (std::vector<std::string>{"cod-2016949-2.dat", "cod-2016949-2.xyz", "cod-2016949.dat",
                                        "cod-2016949.xyz", "summary.tsv"}));
    EXPECT_EQ(dir.read("out/cod-2016949.dat"), dir.read("out/cod-2016949-2.dat"));
    // The selection echo ends with the range 1 to 3.
    EXPECT_NE(dir.read("out/cod-2016949.dat").find("   17    1    3\n"), std::string::npos);
}

// The progress line is kept to a terminal; here it is asked for directly. The test program
// lies beside molframe and molframe-import, where the batch looks for them.
TEST(BatchCommandTest, ProgressLineCountsDoneAndFailed) {
    Scratch dir;
    dir.write("broken.cif", "data_b\n");
    const std::vector<std::string> args = {"-j",
                                           "1",
                                           "-o",
                                           dir.file("out"),
                                           molframe::test::corpusPath("cod-2016949.cif").string(),
                                           dir.file("broken.cif")};
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runBatchCommand(args, out, err, true), 1);
    EXPECT_EQ(err.str(),
              "\rmolframe-batch: 1 of 2 done, 0 failed"
              "\rmolframe-batch: 2 of 2 done, 1 failed\n");
    EXPECT_EQ(linesOf(out.str()).size(), 3u);
}

TEST(BatchCommandTest, BadCommandLineIsStatusTwo) {
    Scratch dir;
    const ProcessResult noInputs = molframe::test::runProgram(batch, {"-j", "2"}, dir.path());
    EXPECT_EQ(noInputs.status, 2);
    EXPECT_EQ(noInputs.err,
              "molframe-batch: no input files\n"
              "usage: molframe-batch [-j N] [--kesp FILE] [-o DIR] INPUT.cif...\n");
    const ProcessResult noKesp =
        molframe::test::runProgram(batch, {"--kesp", "none.dat", "a.cif"}, dir.path());
    EXPECT_EQ(noKesp.status, 2);
    EXPECT_EQ(noKesp.err, "molframe-batch: none.dat: no such file\n");
    EXPECT_TRUE(folderContent(dir.path()).empty());
}

}  // namespace
}  // namespace molframe::tools
