#include "prep/prep_support.hpp"

#include <stdlib.h>

#include <fstream>
#include <numeric>
#include <sstream>
#include <stdexcept>

namespace molframe::testing {

ScratchDir::ScratchDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "molframe-prep-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::file(const std::string& name) const {
    return (path_ / name).string();
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWholeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::unique_ptr<RunData> runWithSites(const std::vector<SiteRow>& rows) {
    auto run = std::make_unique<RunData>();
    for (const SiteRow& row : rows) {
        const auto i = static_cast<std::size_t>(run->siteCount++);
        run->sites.label[i] = toFixedText<4>(row.label);
        run->sites.typeSymbol[i] = toFixedText<4>(row.typeSymbol);
        run->sites.fractX[i] = row.x;
        run->sites.fractY[i] = row.y;
        run->sites.fractZ[i] = row.z;
    }
    return run;
}

std::unique_ptr<RunData> runWithGroups(std::initializer_list<int32_t> sizes) {
    return runWithGroups(std::vector<int32_t>(sizes));
}

std::unique_ptr<RunData> runWithGroups(const std::vector<int32_t>& sizes) {
    auto run = std::make_unique<RunData>();
    run->groups.groupCount = static_cast<int32_t>(sizes.size());
    std::copy(sizes.begin(), sizes.end(), run->groups.groupSize.begin());
    run->atomCount = std::accumulate(sizes.begin(), sizes.end(), int32_t{0});
    run->siteCount = run->atomCount;
    run->selection.flagCount = run->atomCount - sizes.back();
    return run;
}

}  // namespace molframe::testing
