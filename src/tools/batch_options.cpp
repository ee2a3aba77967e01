#include "tools/batch_options.hpp"

#include <charconv>
#include <filesystem>
#include <set>

namespace molframe::tools {

namespace {

/// A job count of at least 1, or std::nullopt.
std::optional<int32_t> parseJobs(const std::string& text) {
    int32_t jobs = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (error != std::errc() || end != text.data() + text.size() || jobs < 1) return std::nullopt;
    return jobs;
}

}  // namespace

std::optional<BatchOptions> parseBatchOptions(std::span<const std::string> args,
                                              int32_t defaultJobs, std::string& problem) {
    BatchOptions options;
    options.jobs = defaultJobs < 1 ? 1 : defaultJobs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "-j" || arg == "--kesp" || arg == "-o";
        if (takesValue && i + 1 == args.size()) {
            problem = arg + " needs a value";
            return std::nullopt;
        }
        if (arg == "-j") {
            const std::optional<int32_t> jobs = parseJobs(args[++i]);
            if (!jobs) {
                problem = "-j needs a whole number of at least 1, not \"" + args[i] + "\"";
                return std::nullopt;
            }
            options.jobs = *jobs;
        } else if (arg == "--kesp") {
            options.kespFile = args[++i];
        } else if (arg == "-o") {
            options.outputDir = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            problem = "unknown option " + arg;
            return std::nullopt;
        } else {
            options.inputs.push_back(arg);
        }
    }
    if (options.inputs.empty()) {
        problem = "no input files";
        return std::nullopt;
    }
    return options;
}

std::vector<std::string> outputStems(std::span<const std::string> inputs) {
    std::vector<std::string> stems;
    std::set<std::string> taken;
    for (const std::string& input : inputs) {
        const std::string stem = std::filesystem::path(input).stem().string();
        std::string name = stem;
        for (int k = 2; taken.count(name) != 0; ++k) name = stem + "-" + std::to_string(k);
        taken.insert(name);
        stems.push_back(name);
    }
    return stems;
}

}  // namespace molframe::tools
