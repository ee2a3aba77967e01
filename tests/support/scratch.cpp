#include "support/scratch.hpp"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tools/child_process.hpp"

namespace molframe::test {

Scratch::Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "molframe-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

Scratch::~Scratch() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void Scratch::write(const std::string& name, const std::string& text) const {
    writeFile(path_ / name, text);
}

std::string Scratch::read(const std::string& name) const {
    return readFile(path_ / name);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

ProcessResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder) {
    // Both streams go to files of their own folder, so a large output cannot block the child.
    const Scratch streams;
    const tools::ProgramOutcome outcome = tools::runProgram(
        {program, arguments, folder, streams.file("stdout"), streams.file("stderr")});
    if (!outcome.started) throw std::runtime_error(outcome.problem);
    return ProcessResult{outcome.exitStatus, streams.read("stdout"), streams.read("stderr")};
}

ProcessResult runMolframeIn(const std::filesystem::path& folder,
                            const std::vector<std::string>& arguments) {
    return runProgram(MOLFRAME_EXE, arguments, folder);
}

std::filesystem::path sourcePath(const std::string& relative) {
    return std::filesystem::path(MOLFRAME_SOURCE_DIR) / relative;
}

std::filesystem::path corpusPath(const std::string& name) {
    return sourcePath("tests/data/corpus/" + name);
}

std::vector<std::string> corpusStructureNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(sourcePath("tests/data/corpus"))) {
        if (entry.path().extension() == ".cif") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace molframe::test
