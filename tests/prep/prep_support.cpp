#include "prep/prep_support.hpp"

#include <algorithm>
#include <numeric>

namespace molframe::test {

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

std::unique_ptr<RunData> runWithGroups(const std::vector<int32_t>& sizes) {
    auto run = std::make_unique<RunData>();
    run->groups.groupCount = static_cast<int32_t>(sizes.size());
    std::copy(sizes.begin(), sizes.end(), run->groups.groupSize.begin());
    run->atomCount = std::accumulate(sizes.begin(), sizes.end(), int32_t{0});
    run->siteCount = run->atomCount;
    run->selection.flagCount = run->atomCount - sizes.back();
    return run;
}

}  // namespace molframe::test
