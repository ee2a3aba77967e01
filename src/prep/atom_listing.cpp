#include "prep/atom_listing.hpp"

namespace molframe {

namespace {

void appendAtom(const OrderedSiteTable& ordered, int32_t row, AtomTable& atoms) {
    atoms.group[row] = ordered.group[row];
    atoms.label[row] = ordered.label[row];
    atoms.typeSymbol[row] = ordered.typeSymbol[row];
    atoms.fractX[row] = ordered.fractX[row];
    atoms.fractY[row] = ordered.fractY[row];
    atoms.fractZ[row] = ordered.fractZ[row];
}

/// Sum of the groupSize entries of groups 1 to lastGroup.
int32_t sitesInGroups(const GroupTally& groups, int32_t lastGroup) {
    int32_t total = 0;
    for (int32_t g = 1; g <= lastGroup; ++g) total += groups.groupSize[g - 1];
    return total;
}

}  // namespace

void listAtoms(RunData& run, RecordFile& report) {
    const OrderedSiteTable& ordered = run.orderedSites;
    for (int32_t k = 0; k < run.siteCount; ++k) {
        report.write("(I4,X,3F10.5,4X,A4,X,A4)", ordered.group[k], ordered.fractX[k],
                     ordered.fractY[k], ordered.fractZ[k], ordered.label[k], ordered.typeSymbol[k]);
        appendAtom(ordered, k, run.atoms);
    }
    run.atomCount = sitesInGroups(run.groups, run.groups.groupCount);
    // The atoms of the last group get no flag from the control file.
    run.selection.flagCount = sitesInGroups(run.groups, run.groups.groupCount - 1);
}

}  // namespace molframe
