#include "support/scratch.hpp"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

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

namespace {

std::string drain(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    return text;
}

}  // namespace

ProcessResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder) {
    // Both streams go to files, so a large output cannot block the child.
    char outName[] = "/tmp/molframe-out-XXXXXX";
    char errName[] = "/tmp/molframe-err-XXXXXX";
    const int outFd = mkstemp(outName);
    const int errFd = mkstemp(errName);
    if (outFd < 0 || errFd < 0) throw std::runtime_error("mkstemp failed");
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int nullFd = ::open("/dev/null", O_RDONLY);
        dup2(nullFd, 0);
        dup2(outFd, 1);
        dup2(errFd, 2);
        if (chdir(folder.c_str()) != 0) _exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    ProcessResult result;
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    lseek(outFd, 0, SEEK_SET);
    lseek(errFd, 0, SEEK_SET);
    result.out = drain(outFd);
    result.err = drain(errFd);
    ::close(outFd);
    ::close(errFd);
    ::unlink(outName);
    ::unlink(errName);
    return result;
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
