// Type grouping: numbers the type symbols by first appearance and orders the sites by group.
#pragma once

#include "run/run_data.hpp"

namespace molframe {

/// Gives every site of the SiteTable its TypeGroup number (type symbols numbered from 1 in order
/// of first appearance, compared over all 4 characters), then copies the sites into the
/// OrderedSiteTable by ascending group, file order within a group, counting groupSize.
/// With no sites, groupCount is 1 and that group's size is 0.
void groupSitesByType(RunData& run);

}  // namespace molframe
