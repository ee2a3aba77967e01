// molframe-import's command line: read any CIF, write the structure file molframe reads.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace molframe::tools {

/// What one molframe-import call asks for.
struct ImportOptions {
    std::optional<std::string> block;  ///< --block NAME
    bool selectAll = false;            ///< --kesp all: also "kesp.dat" beside the output
    std::string input;                 ///< INPUT.cif
    std::string output = "at.cif";     ///< -o OUTPUT; "-" is standard output
};

/// Exit status of a call that wrote nothing: bad command line, unusable input, failed write.
inline constexpr int importFailureStatus = 2;

/// Reads "[--block NAME] [--kesp all] INPUT.cif [-o OUTPUT]"; std::nullopt and the problem in
/// `problem` on a bad command line.
std::optional<ImportOptions> parseImportOptions(std::span<const std::string> args,
                                                std::string& problem);

/// Runs molframe-import: the structure file to the output (or `out` for "-"), notes and
/// errors as "molframe-import: ..." lines on `err`. Returns 0, or 2 having written nothing.
int runImport(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace molframe::tools
