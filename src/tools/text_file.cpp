#include "tools/text_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace molframe::tools {

std::optional<std::string> readTextFile(const std::string& path, std::string& cause) {
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        cause = "is a directory";
        return std::nullopt;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        cause = std::strerror(errno);
        return std::nullopt;
    }
    std::string text;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        cause = std::strerror(error);
        return std::nullopt;
    }
    return text;
}

}  // namespace molframe::tools
