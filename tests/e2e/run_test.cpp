// Whole runs of molframe in scratch folders: the traced run, the file set, repeatability.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scratch.hpp"

namespace molframe {
namespace {

using test::readFile;
using test::runMolframeIn;
using test::Scratch;
using test::sourcePath;

/// A scratch folder holding the traced structure and its selection "111".
void copyTraced(const Scratch& scratch) {
    scratch.write("at.cif", readFile(sourcePath("tests/data/traced/at.cif")));
    scratch.write("kesp.dat", readFile(sourcePath("tests/data/traced/kesp.dat")));
}

TEST(WholeRun, TracedStructureGivesTheCheckedReportAndXyzFile) {
    Scratch scratch;
    copyTraced(scratch);
    const test::ProcessResult result = runMolframeIn(scratch.path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(scratch.read("at.dat"), readFile(sourcePath("tests/data/traced/expected-at.dat")));
    EXPECT_EQ(scratch.read("mc.xyz"), readFile(sourcePath("tests/data/traced/expected-mc.xyz")));
}

TEST(WholeRun, RepeatedRunsAndArgumentsChangeNothingAndOldOutputIsCut) {
    Scratch first;
    copyTraced(first);
    ASSERT_EQ(runMolframeIn(first.path()).status, 0);

    Scratch second;
    copyTraced(second);
    const std::string longOld = readFile(sourcePath("tests/data/traced/expected-at.dat")) +
                                std::string(5000, 'x') + "\nold tail\n";
    second.write("at.dat", longOld);
    second.write("mc.xyz", longOld);
    const test::ProcessResult result = runMolframeIn(second.path(), {"--help", "-o", "other.dat"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(second.read("at.dat"), first.read("at.dat"));
    EXPECT_EQ(second.read("mc.xyz"), first.read("mc.xyz"));
    EXPECT_FALSE(second.exists("other.dat"));
    ASSERT_EQ(runMolframeIn(second.path()).status, 0);
    EXPECT_EQ(second.read("at.dat"), first.read("at.dat"));
}

TEST(WholeRun, EmptyFolderCreatesTheFourFilesAndEndsAtTheEndOfAtCif) {
    Scratch scratch;
    const test::ProcessResult result = runMolframeIn(scratch.path());
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "molframe: at.cif, record 1: end of file\n");
    for (const char* name : {"at.cif", "at.dat", "kesp.dat", "mc.xyz"}) {
        EXPECT_TRUE(scratch.exists(name)) << name;
        EXPECT_EQ(scratch.read(name), "") << name;
    }
}

TEST(WholeRun, MissingAtCifLeavesOldOutputAlone) {
    Scratch scratch;
    scratch.write("at.dat", "old report\n");
    scratch.write("mc.xyz", "old xyz\n");
    EXPECT_EQ(runMolframeIn(scratch.path()).status, 2);
    EXPECT_EQ(scratch.read("at.dat"), "old report\n");
    EXPECT_EQ(scratch.read("mc.xyz"), "old xyz\n");
}

TEST(WholeRun, FileThatCannotBeOpenedEndsTheRunBeforeAnythingIsRead) {
    Scratch scratch;
    copyTraced(scratch);
    std::filesystem::create_directory(scratch.path() / "mc.xyz");
    const test::ProcessResult result = runMolframeIn(scratch.path());
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "molframe: mc.xyz: cannot open: Is a directory\n");
    EXPECT_EQ(scratch.read("at.dat"), "");  // opened, never written
}

TEST(WholeRun, FolderThatMayNotBeWrittenEndsTheRunAtTheOpen) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
    Scratch scratch;
    std::filesystem::permissions(
        scratch.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const test::ProcessResult result = runMolframeIn(scratch.path());
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "molframe: at.cif: cannot open: Permission denied\n");
}

}  // namespace
}  // namespace molframe
