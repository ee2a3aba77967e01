// Child processes: run a program in a folder with its output into files, and find programs.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace molframe::tools {

/// One program to run: standard input is empty, standard output and error go to files.
struct ProgramCall {
    std::filesystem::path program;
    std::vector<std::string> args;           ///< without the program's own name
    std::filesystem::path workingDirectory;  ///< empty: the caller's
    std::filesystem::path standardOutput;    ///< empty: discarded
    std::filesystem::path standardError;     ///< empty: discarded
};

/// How a program ended.
struct ProgramOutcome {
    bool started = false;
    int exitStatus = -1;  ///< -1 when it did not exit by itself
    std::string problem;  ///< why it did not start, or the signal that ended it
    bool succeeded() const { return started && exitStatus == 0; }
};

/// Runs the program and waits for it.
ProgramOutcome runProgram(const ProgramCall& call);

/// The folder of the running executable (/proc/self/exe); empty when it cannot be told.
std::filesystem::path ownDirectory();

/// The program beside the running executable, else the first executable of that name on PATH;
/// empty when there is none.
std::filesystem::path findCompanion(std::string_view name);

}  // namespace molframe::tools
