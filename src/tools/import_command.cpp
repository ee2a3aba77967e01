#include "tools/import_command.hpp"

#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <vector>

#include "tools/import_structure.hpp"
#include "tools/structure_layout.hpp"
#include "tools/text_file.hpp"

namespace molframe::tools {

namespace {

namespace fs = std::filesystem;

constexpr const char* usage =
    "usage: molframe-import [--block NAME] [--kesp all] INPUT.cif [-o OUTPUT]";

/// One file to write: where, and what.
struct OutputFile {
    fs::path path;
    std::string text;
    fs::path temporary;
};

/// Writes the text to a temporary file beside the target; the cause in `cause` on failure.
bool writeTemporary(OutputFile& output, std::string& cause) {
    output.temporary = output.path;
    output.temporary += ".molframe-import-" + std::to_string(::getpid());
    std::FILE* file = std::fopen(output.temporary.c_str(), "wb");
    if (file == nullptr) {
        cause = std::strerror(errno);
        return false;
    }
    const std::size_t put = std::fwrite(output.text.data(), 1, output.text.size(), file);
    const int writeError = errno;
    if (std::fclose(file) != 0 || put != output.text.size()) {
        cause = std::strerror(put != output.text.size() ? writeError : errno);
        return false;
    }
    return true;
}

void removeTemporaries(std::span<const OutputFile> outputs) {
    for (const OutputFile& output : outputs) {
        std::error_code ignored;
        if (!output.temporary.empty()) fs::remove(output.temporary, ignored);
    }
}

/// Writes all files or none: each goes to a temporary file beside its target first, and only
/// when every one is complete are they renamed into place. False with a message on failure.
bool writeAllOrNothing(std::vector<OutputFile>& outputs, std::string& message) {
    std::string cause;
    for (std::size_t k = 0; k < outputs.size(); ++k) {
        if (writeTemporary(outputs[k], cause)) continue;
        removeTemporaries(outputs);
        message = outputs[k].path.string() + ": cannot write: " + cause;
        return false;
    }
    for (std::size_t k = 0; k < outputs.size(); ++k) {
        std::error_code code;
        fs::rename(outputs[k].temporary, outputs[k].path, code);
        if (!code) continue;
        removeTemporaries(std::span(outputs).subspan(k));
        message = outputs[k].path.string() + ": cannot write: " + code.message();
        return false;
    }
    return true;
}

/// The selection file goes beside the structure file, or to the working directory.
fs::path selectionPath(const std::string& output) {
    if (output == "-") return "kesp.dat";
    return fs::path(output).parent_path() / "kesp.dat";
}

int fail(std::ostream& err, const std::string& message) {
    err << "molframe-import: " << message << "\n";
    return importFailureStatus;
}

}  // namespace

std::optional<ImportOptions> parseImportOptions(std::span<const std::string> args,
                                                std::string& problem) {
    ImportOptions options;
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--block" || arg == "--kesp" || arg == "-o";
        if (takesValue && i + 1 == args.size()) {
            problem = arg + " needs a value";
            return std::nullopt;
        }
        if (arg == "--block") {
            options.block = args[++i];
        } else if (arg == "--kesp") {
            if (args[++i] != "all") {
                problem = "--kesp takes only \"all\", not \"" + args[i] + "\"";
                return std::nullopt;
            }
            options.selectAll = true;
        } else if (arg == "-o") {
            options.output = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            problem = "unknown option " + arg;
            return std::nullopt;
        } else if (haveInput) {
            problem = "more than one input file (" + options.input + ", " + arg + ")";
            return std::nullopt;
        } else {
            options.input = arg;
            haveInput = true;
        }
    }
    if (!haveInput) {
        problem = "no input file";
        return std::nullopt;
    }
    return options;
}

int runImport(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::string problem;
    const std::optional<ImportOptions> options = parseImportOptions(args, problem);
    if (!options) return fail(err, problem + "\n" + usage);

    const std::optional<std::string> text = readTextFile(options->input, problem);
    if (!text) return fail(err, options->input + ": cannot read: " + problem);

    ImportedStructure structure;
    try {
        structure = importStructure(*text, options->input, options->block);
    } catch (const ImportError& error) {
        return fail(err, error.message);
    }
    for (const std::string& note : structure.notes) {
        err << "molframe-import: " << options->input << ": note: " << note << "\n";
    }

    std::vector<OutputFile> outputs;
    const bool toStandardOutput = options->output == "-";
    if (!toStandardOutput) outputs.push_back({options->output, formatStructureFile(structure), {}});
    if (options->selectAll) {
        outputs.push_back(
            {selectionPath(options->output), formatSelectAllFile(structure.sites.size()), {}});
    }
    if (!writeAllOrNothing(outputs, problem)) return fail(err, problem);
    if (toStandardOutput) out << formatStructureFile(structure) << std::flush;
    return 0;
}

}  // namespace molframe::tools
