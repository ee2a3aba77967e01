#include "tools/batch_run.hpp"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <ostream>
#include <thread>

#include "tools/child_process.hpp"
#include "tools/text_file.hpp"

namespace molframe::tools {

namespace fs = std::filesystem;

namespace {

constexpr const char* usage = "usage: molframe-batch [-j N] [--kesp FILE] [-o DIR] INPUT.cif...";

/// A folder of its own for one structure, removed with everything in it at the end.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::error_code code;
        std::string pattern = (fs::temp_directory_path(code) / "molframe-batch-XXXXXX").string();
        if (!code && ::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool made() const { return !path_.empty(); }
    fs::path file(const char* name) const { return path_ / name; }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

/// The whole file; "" when it cannot be read (a log or a result that a failed run left out).
std::string readWholeFile(const fs::path& path) {
    std::string ignored;
    return readTextFile(path.string(), ignored).value_or("");
}

/// The first console line of the logs, in the order given, else the outcome's problem.
std::string firstDiagnostic(std::initializer_list<fs::path> logs, const ProgramOutcome& last) {
    for (const fs::path& log : logs) {
        std::string line = firstLine(readWholeFile(log));
        if (!line.empty()) return line;
    }
    return last.problem;
}

SummaryRow failedRow(const std::string& input, std::string status, std::string diagnostic) {
    return {input, "-", {"-", "-", "-"}, std::move(status), std::move(diagnostic)};
}

/// Copies the results of a successful run into the output folder under the stem.
bool collectResults(const ScratchFolder& scratch, const BatchOptions& options,
                    const std::string& stem, std::string& problem) {
    std::error_code code;
    const fs::path dir = options.outputDir;
    fs::copy_file(scratch.file("at.dat"), dir / (stem + ".dat"),
                  fs::copy_options::overwrite_existing, code);
    if (!code) {
        fs::copy_file(scratch.file("mc.xyz"), dir / (stem + ".xyz"),
                      fs::copy_options::overwrite_existing, code);
    }
    if (code) problem = "cannot copy the results to " + dir.string() + ": " + code.message();
    return !code;
}

/// Removes the results an earlier batch left under the stem.
void removeResults(const BatchOptions& options, const std::string& stem) {
    std::error_code ignored;
    fs::remove(fs::path(options.outputDir) / (stem + ".dat"), ignored);
    fs::remove(fs::path(options.outputDir) / (stem + ".xyz"), ignored);
}

std::string exitText(const char* what, const ProgramOutcome& outcome) {
    if (outcome.exitStatus < 0) return std::string(what) + " failed";
    return std::string(what) + " failed (status " + std::to_string(outcome.exitStatus) + ")";
}

}  // namespace

SummaryRow runStructure(const BatchTools& tools, const BatchOptions& options,
                        const std::string& input, const std::string& stem) {
    removeResults(options, stem);
    ScratchFolder scratch;
    if (!scratch.made()) return failedRow(input, "not run", "cannot make a scratch folder");

    std::error_code code;
    ProgramCall import{
        tools.importer, {}, {}, scratch.file("import.out"), scratch.file("import.err")};
    if (options.kespFile) {
        fs::copy_file(*options.kespFile, scratch.file("kesp.dat"), code);
        if (code) return failedRow(input, "not run", "cannot copy " + *options.kespFile);
    } else {
        import.args = {"--kesp", "all"};
    }
    // The importer runs in this folder, so that its messages name the input as given.
    import.args.insert(import.args.end(), {input, "-o", scratch.file("at.cif").string()});
    const ProgramOutcome imported = runProgram(import);
    if (!imported.succeeded()) {
        return failedRow(input, exitText("import", imported),
                         firstDiagnostic({scratch.file("import.err")}, imported));
    }

    const ProgramOutcome run = runProgram({tools.molframe,
                                           {},
                                           scratch.path(),
                                           scratch.file("molframe.out"),
                                           scratch.file("molframe.err")});
    const std::string diagnostic = firstDiagnostic(
        {scratch.file("import.err"), scratch.file("molframe.err"), scratch.file("molframe.out")},
        run);
    if (!run.succeeded()) return failedRow(input, exitText("molframe", run), diagnostic);

    const auto extents = extentsOfReport(readWholeFile(scratch.file("at.dat")));
    const auto atoms = atomsOfXyz(readWholeFile(scratch.file("mc.xyz")));
    if (!extents || !atoms) return failedRow(input, "incomplete results", diagnostic);
    std::string problem;
    if (!collectResults(scratch, options, stem, problem)) {
        removeResults(options, stem);
        return failedRow(input, "not collected", problem);
    }
    return {input, *atoms, *extents, "ok", diagnostic};
}

std::vector<SummaryRow> runBatch(const BatchTools& tools, const BatchOptions& options,
                                 const std::function<void(int, int)>& progress) {
    const std::vector<std::string> stems = outputStems(options.inputs);
    std::vector<SummaryRow> rows(options.inputs.size());
    std::atomic<std::size_t> next{0};
    std::mutex progressLock;
    int done = 0;
    int failed = 0;
    const auto work = [&] {
        for (std::size_t i = next++; i < rows.size(); i = next++) {
            rows[i] = runStructure(tools, options, options.inputs[i], stems[i]);
            const std::lock_guard<std::mutex> lock(progressLock);
            ++done;
            if (!rows[i].succeeded()) ++failed;
            progress(done, failed);
        }
    };
    const std::size_t workers =
        std::min(rows.size(), static_cast<std::size_t>(options.jobs < 1 ? 1 : options.jobs));
    std::vector<std::jthread> threads;
    for (std::size_t k = 1; k < workers; ++k) threads.emplace_back(work);
    work();
    return rows;
}

int runBatchCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                    bool showProgress) {
    const auto fail = [&err](const std::string& message) {
        err << "molframe-batch: " << message << "\n";
        return 2;
    };
    std::string problem;
    const auto cores = static_cast<int32_t>(std::thread::hardware_concurrency());
    std::optional<BatchOptions> options = parseBatchOptions(args, cores, problem);
    if (!options) return fail(problem + "\n" + usage);

    const BatchTools tools{findCompanion("molframe"), findCompanion("molframe-import")};
    if (tools.molframe.empty()) return fail("cannot find molframe beside me or on PATH");
    if (tools.importer.empty()) return fail("cannot find molframe-import beside me or on PATH");
    std::error_code code;
    if (options->kespFile) {
        if (!fs::is_regular_file(*options->kespFile, code)) {
            return fail(*options->kespFile + ": no such file");
        }
        options->kespFile = fs::absolute(*options->kespFile, code).string();
    }
    fs::create_directories(options->outputDir, code);
    if (code) return fail(options->outputDir + ": cannot make the folder: " + code.message());

    const int total = static_cast<int>(options->inputs.size());
    const std::vector<SummaryRow> rows = runBatch(tools, *options, [&](int done, int failed) {
        if (!showProgress) return;
        err << "\rmolframe-batch: " << done << " of " << total << " done, " << failed << " failed"
            << std::flush;
    });
    if (showProgress) err << "\n";

    out << formatSummaryTable(rows) << std::flush;
    const fs::path tsv = fs::path(options->outputDir) / "summary.tsv";
    std::ofstream summary(tsv, std::ios::binary);
    summary << formatSummaryTsv(rows);
    summary.close();
    if (!summary) err << "molframe-batch: " << tsv.string() << ": cannot write\n";
    const bool allSucceeded = std::all_of(rows.begin(), rows.end(),
                                          [](const SummaryRow& row) { return row.succeeded(); });
    return allSucceeded && summary ? 0 : 1;
}

}  // namespace molframe::tools
