// Test support shared by every test folder: scratch folders, whole files, runs of the tools,
// files of the source tree.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace molframe::test {

/// A fresh folder under the system's temporary folder, removed with everything in it.
class Scratch {
  public:
    Scratch();
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// Path of the file called name in this folder.
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    /// Writes text as the whole content of the file called name.
    void write(const std::string& name, const std::string& text) const;
    /// The whole content of the file called name ("" when it does not exist).
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

  private:
    std::filesystem::path path_;
};

/// The whole content of a file ("" when it does not exist).
std::string readFile(const std::filesystem::path& path);
/// Writes text as the whole content of a file.
void writeFile(const std::filesystem::path& path, const std::string& text);

/// What a finished process left: its exit status and its two streams.
struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs the program with the arguments in the folder, standard input empty.
ProcessResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder);

/// Runs the built molframe in the folder.
ProcessResult runMolframeIn(const std::filesystem::path& folder,
                            const std::vector<std::string>& arguments = {});

/// A file of the source tree, e.g. "tests/data/corpus/cod-2016949.cif".
std::filesystem::path sourcePath(const std::string& relative);

/// A structure of the corpus by its file name, e.g. "cod-2016949.cif".
std::filesystem::path corpusPath(const std::string& name);

/// The file names of every structure of the corpus (tests/data/corpus/*.cif), sorted.
std::vector<std::string> corpusStructureNames();

/// The lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text);

}  // namespace molframe::test
