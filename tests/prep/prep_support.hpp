// Test support for structure preparation: runs with small site tables or group tallies.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "run/run_data.hpp"

namespace molframe::test {

/// One atom-site row as the loop reader stores it.
struct SiteRow {
    std::string label;
    std::string typeSymbol;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

/// A run whose SiteTable holds the rows, in order, and siteCount their number.
std::unique_ptr<RunData> runWithSites(const std::vector<SiteRow>& rows);

/// A run after the listing of groups of the given sizes: groupCount, groupSize, atomCount,
/// flagCount (every group but the last). Nothing else is filled.
std::unique_ptr<RunData> runWithGroups(const std::vector<int32_t>& sizes);

}  // namespace molframe::test
