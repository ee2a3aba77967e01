// Runs over every real structure of the corpus and the examples: the report's blocks in order
// with their widths, "mc.xyz" with one record per atom, or the end-of-file failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/scratch.hpp"

namespace molframe {
namespace {

namespace fs = std::filesystem;
using test::linesOf;
using test::Scratch;

std::vector<std::string> structureFiles() {
    std::vector<std::string> files;
    for (const std::string& name : test::corpusStructureNames()) {
        files.push_back(test::corpusPath(name).string());
    }
    for (const auto& entry : fs::directory_iterator(test::sourcePath("examples"))) {
        if (entry.is_directory()) files.push_back((entry.path() / "at.cif").string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

/// Walks the report line by line and checks each block's layout.
class ReportWalk {
  public:
    explicit ReportWalk(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    std::string line() {
        return at_ < lines_.size() ? lines_[at_++] : std::string("<end of report>");
    }
    void expectLine(const std::string& text) { EXPECT_EQ(line(), text) << "report line " << at_; }
    void expectWidth(std::size_t width, const char* block) {
        EXPECT_EQ(line().size(), width) << block << ", report line " << at_;
    }
    bool atEmpty() const { return at_ < lines_.size() && lines_[at_].empty(); }
    bool done() const { return at_ == lines_.size(); }

    /// The atom listing: lines up to the first empty one, each 48 columns.
    int listing() {
        int count = 0;
        while (at_ < lines_.size() && !lines_[at_].empty()) {
            expectWidth(48, "atom listing");
            ++count;
        }
        return count;
    }

    /// The selection echo in range mode: integer lines of up to ten I5 fields, each after an
    /// empty line; returns the integers.
    std::vector<int> echo() {
        std::vector<int> values;
        while (atEmpty() && at_ + 1 < lines_.size() && !lines_[at_ + 1].empty() &&
               lines_[at_ + 1].find("TRANSFER") == std::string::npos) {
            ++at_;
            const std::string record = line();
            EXPECT_EQ(record.size() % 5, 0u) << record;
            for (std::size_t i = 0; i + 5 <= record.size(); i += 5)
                values.push_back(std::stoi(record.substr(i, 5)));
        }
        return values;
    }

  private:
    std::vector<std::string> lines_;
    std::size_t at_ = 0;
};

class CorpusRun : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusRun, EndsWithTheFullReportOrTheEndOfFileFailure) {
    Scratch scratch;
    scratch.write("at.cif", test::readFile(GetParam()));
    // Blank flag records for up to 320 flags, then every atom in range mode.
    scratch.write("kesp.dat", "\n\n\n\n300 0\n");
    const test::ProcessResult result = test::runMolframeIn(scratch.path());
    if (result.status != 0) {
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(std::regex_match(
            result.err, std::regex("molframe: at\\.cif, record [0-9]+: end of file\n")))
            << result.err;
        return;
    }
    ReportWalk report(linesOf(scratch.read("at.dat")));
    report.expectWidth(58, "cell line");
    const int atoms = report.listing();
    const std::vector<int> echo = report.echo();
    ASSERT_GE(echo.size(), 5u);
    const int groups = echo[0];
    ASSERT_EQ(echo.size(), static_cast<std::size_t>(groups) + 4);
    int sum = 0;
    for (int g = 1; g <= groups; ++g) sum += echo[static_cast<std::size_t>(g)];
    EXPECT_EQ(sum, atoms);
    EXPECT_EQ(echo[static_cast<std::size_t>(groups) + 1], atoms);
    EXPECT_EQ(echo[static_cast<std::size_t>(groups) + 2], 1);
    EXPECT_EQ(echo[static_cast<std::size_t>(groups) + 3], 300);

    for (const char* text : {"", "", " TRANSFER MATRIX"}) report.expectLine(text);
    for (int i = 0; i < 3; ++i) report.expectWidth(33, "transfer matrix");
    report.expectLine("");
    const std::string centre = report.line();
    EXPECT_EQ(centre.size(), 54u);
    EXPECT_EQ(centre.substr(0, 21), " CENTER OF GRAVITY= (");
    for (const char* text : {"", " Molecular moments"}) report.expectLine(text);
    for (int i = 0; i < 3; ++i) report.expectWidth(30, "moments");
    for (const char* text : {"", " Molecular orientation vectors"}) report.expectLine(text);
    for (const char* axis : {" A  VL = ", " A  VS = ", " A  VV = "}) {
        const std::string record = report.line();
        EXPECT_EQ(record.size(), 49u);
        EXPECT_EQ(record.substr(10, 9), axis);
    }
    for (const char* text : {"", " Molecular Coordinates", "       VL//      VS//      VV//"})
        report.expectLine(text);
    for (int i = 0; i < atoms; ++i) report.expectWidth(49, "molecular coordinates");
    EXPECT_TRUE(report.done());

    const std::vector<std::string> xyz = linesOf(scratch.read("mc.xyz"));
    ASSERT_EQ(xyz.size(), static_cast<std::size_t>(atoms) + 2);
    EXPECT_EQ(std::stoi(xyz[0]), atoms);
    EXPECT_EQ(xyz[1], "");
    for (std::size_t i = 2; i < xyz.size(); ++i)
        EXPECT_EQ(xyz[i].size(), 40u) << "mc.xyz record " << i + 1;
}

std::string caseName(const ::testing::TestParamInfo<std::string>& info) {
    fs::path path(info.param);
    std::string name = path.filename() == "at.cif"
                           ? "example_" + path.parent_path().filename().string()
                           : path.stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Structures, CorpusRun, ::testing::ValuesIn(structureFiles()), caseName);

}  // namespace
}  // namespace molframe
