#include "prep/type_grouping.hpp"

namespace molframe {

namespace {

/// Numbers the type symbols: a site takes the group of the first earlier site with the same
/// symbol, or the next free number. Returns the number of groups.
int32_t numberTypeGroups(SiteTable& sites, int32_t siteCount) {
    // The next free number starts at 2 even without sites, so an empty table has one group.
    int32_t nextGroup = 2;
    if (siteCount > 0) sites.group[0] = 1;
    for (int32_t i = 1; i < siteCount; ++i) {
        int32_t group = 0;
        for (int32_t j = 0; j < i && group == 0; ++j) {
            if (sites.typeSymbol[j] == sites.typeSymbol[i]) group = sites.group[j];
        }
        if (group == 0) group = nextGroup++;
        sites.group[i] = group;
    }
    return nextGroup - 1;
}

void copySite(const SiteTable& from, int32_t source, SiteTable& to, int32_t target) {
    to.label[target] = from.label[source];
    to.typeSymbol[target] = from.typeSymbol[source];
    to.fractX[target] = from.fractX[source];
    to.fractY[target] = from.fractY[source];
    to.fractZ[target] = from.fractZ[source];
    to.group[target] = from.group[source];
}

}  // namespace

void groupSitesByType(RunData& run) {
    GroupTally& groups = run.groups;
    groups.groupCount = numberTypeGroups(run.sites, run.siteCount);
    // Stable order by group: one pass over the sites for each group.
    int32_t next = 0;
    for (int32_t g = 1; g <= groups.groupCount; ++g) {
        groups.groupSize[g - 1] = 0;
        for (int32_t j = 0; j < run.siteCount; ++j) {
            if (run.sites.group[j] != g) continue;
            copySite(run.sites, j, run.orderedSites, next);
            ++next;
            ++groups.groupSize[g - 1];
        }
    }
}

}  // namespace molframe
