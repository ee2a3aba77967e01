// Test support for structure preparation: runs with small site tables or group tallies.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "run/run_data.hpp"
#include "support/site_row.hpp"

namespace molframe::test {

/// A run whose SiteTable holds the rows, in order, and siteCount their number.
std::unique_ptr<RunData> runWithSites(const std::vector<SiteRow>& rows);

/// A run after the listing of groups of the given sizes: groupCount, groupSize, atomCount,
/// flagCount (every group but the last). Nothing else is filled.
std::unique_ptr<RunData> runWithGroups(const std::vector<int32_t>& sizes);

}  // namespace molframe::test
