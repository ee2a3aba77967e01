#include "tools/child_process.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace molframe::tools {

namespace fs = std::filesystem;

namespace {

/// posix_spawn's file actions, released when done.
struct FileActions {
    posix_spawn_file_actions_t actions;
    FileActions() { posix_spawn_file_actions_init(&actions); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
};

/// Opens the path (or /dev/null) as descriptor fd of the child.
int redirect(FileActions& files, int fd, const fs::path& path, int flags) {
    const char* name = path.empty() ? "/dev/null" : path.c_str();
    return posix_spawn_file_actions_addopen(&files.actions, fd, name, flags, 0644);
}

bool isExecutable(const fs::path& path) {
    std::error_code code;
    return fs::is_regular_file(path, code) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

ProgramOutcome runProgram(const ProgramCall& call) {
    ProgramOutcome outcome;
    FileActions files;
    constexpr int writeFlags = O_WRONLY | O_CREAT | O_TRUNC;
    int error = 0;
    // A working directory is entered first, so that relative output paths lie within it.
    if (!call.workingDirectory.empty()) {
        error = posix_spawn_file_actions_addchdir_np(&files.actions, call.workingDirectory.c_str());
    }
    if (error == 0) error = redirect(files, STDIN_FILENO, {}, O_RDONLY);
    if (error == 0) error = redirect(files, STDOUT_FILENO, call.standardOutput, writeFlags);
    if (error == 0) error = redirect(files, STDERR_FILENO, call.standardError, writeFlags);

    // The program is found before the child changes its folder.
    std::error_code absoluteError;
    std::string programName = fs::absolute(call.program, absoluteError).string();
    std::vector<std::string> args = call.args;
    std::vector<char*> argv;
    argv.push_back(programName.data());
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    if (error == 0) {
        error =
            posix_spawn(&child, programName.c_str(), &files.actions, nullptr, argv.data(), environ);
    }
    if (error != 0) {
        outcome.problem = "cannot run " + programName + ": " + std::strerror(error);
        return outcome;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno == EINTR) continue;
        outcome.problem = "cannot wait for " + programName + ": " + std::strerror(errno);
        return outcome;
    }
    outcome.started = true;
    if (WIFEXITED(status)) {
        outcome.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        outcome.problem = programName + " ended by signal " + std::to_string(WTERMSIG(status));
    }
    return outcome;
}

fs::path ownDirectory() {
    std::error_code code;
    const fs::path self = fs::read_symlink("/proc/self/exe", code);
    return code ? fs::path() : self.parent_path();
}

fs::path findCompanion(std::string_view name) {
    const fs::path own = ownDirectory();
    if (!own.empty() && isExecutable(own / name)) return own / name;
    const char* path = std::getenv("PATH");
    std::string_view dirs = path != nullptr ? path : "";
    while (!dirs.empty()) {
        const std::size_t colon = dirs.find(':');
        const std::string_view dir = dirs.substr(0, colon);
        dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
        const fs::path candidate = fs::path(dir.empty() ? "." : dir) / name;
        if (isExecutable(candidate)) return candidate;
    }
    return {};
}

}  // namespace molframe::tools
