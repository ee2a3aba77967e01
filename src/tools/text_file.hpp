// Whole text files for the companions: read in one piece, with the cause of a failure.
#pragma once

#include <optional>
#include <string>

namespace molframe::tools {

/// The whole file, or nothing with the cause (e.g. "is a directory") in `cause`.
std::optional<std::string> readTextFile(const std::string& path, std::string& cause);

}  // namespace molframe::tools
