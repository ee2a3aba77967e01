// molframe-batch's command line: which structures, how many at a time, where the results go.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace molframe::tools {

/// What one molframe-batch call asks for.
struct BatchOptions {
    int32_t jobs = 1;                     ///< -j N: structures run at the same time
    std::optional<std::string> kespFile;  ///< --kesp FILE: one selection file for all
    std::string outputDir = "molframe-out";
    std::vector<std::string> inputs;  ///< the structure files, in the order given
};

/// Reads "[-j N] [--kesp FILE] [-o DIR] INPUT.cif..."; -j defaults to `defaultJobs`.
/// std::nullopt and the problem in `problem` on a bad command line.
std::optional<BatchOptions> parseBatchOptions(std::span<const std::string> args,
                                              int32_t defaultJobs, std::string& problem);

/// The name under which each input's results are collected: the file name without its
/// extension, with "-2", "-3", ... added where the same name came before.
std::vector<std::string> outputStems(std::span<const std::string> inputs);

}  // namespace molframe::tools
