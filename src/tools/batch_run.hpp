// Batch run: every structure imported and run by molframe in a scratch folder of its own.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "tools/batch_options.hpp"
#include "tools/batch_summary.hpp"

namespace molframe::tools {

/// The two programs a batch runs.
struct BatchTools {
    std::filesystem::path molframe;
    std::filesystem::path importer;  ///< molframe-import
};

/// Imports the input (with "--kesp all", or beside a copy of options.kespFile), runs molframe
/// on it and, when that succeeded, copies "at.dat" and "mc.xyz" to <outputDir>/<stem>.dat and
/// <stem>.xyz; after a failure no results of that stem are left there.
SummaryRow runStructure(const BatchTools& tools, const BatchOptions& options,
                        const std::string& input, const std::string& stem);

/// Runs every input, options.jobs at a time; the rows come in the order of the inputs.
/// progress(done, failed) is called after each structure, never by two threads at once.
std::vector<SummaryRow> runBatch(const BatchTools& tools, const BatchOptions& options,
                                 const std::function<void(int, int)>& progress);

/// Runs molframe-batch: the summary table to `out` and to <outputDir>/summary.tsv, a progress
/// line on `err` when `showProgress`. Returns 0 when every structure succeeded, 1 otherwise,
/// 2 for a bad command line, missing programs or an output folder that cannot be made.
int runBatchCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                    bool showProgress);

}  // namespace molframe::tools
