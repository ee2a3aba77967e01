#include "prep/selection.hpp"

#include <span>
#include <vector>

namespace molframe {

namespace {

void readFlags(RunData& run, RecordFile& control) {
    const int32_t flagCount = run.selection.flagCount;
    control.read(Exits::none, "(80I1)",
                 std::span<int32_t>(run.atoms.selectFlag.data(), size_t(flagCount)));
    int32_t flagSum = 0;
    for (int32_t i = 0; i < flagCount; ++i) flagSum += run.atoms.selectFlag[i];
    run.selection.flagSum = flagSum;
    for (int32_t i = flagCount; i < run.atomCount; ++i) run.atoms.selectFlag[i] = 0;
}

void readRange(SelectionSpec& selection, RecordFile& control) {
    // A slash in the record leaves a bound unread: it stays 0.
    selection.rangeFirst = 0;
    selection.rangeLast = 0;
    control.readList(Exits::none, selection.rangeFirst, selection.rangeLast);
    // One count n followed by 0 selects atoms 1 to n.
    if (selection.rangeLast == 0) {
        selection.rangeLast = selection.rangeFirst;
        selection.rangeFirst = 1;
    }
}

/// groupCount, the group sizes and atomCount: the head of the echo in both modes.
std::vector<WriteItem> groupTallyItems(const RunData& run) {
    std::vector<WriteItem> items;
    items.push_back(run.groups.groupCount);
    for (int32_t g = 0; g < run.groups.groupCount; ++g) items.push_back(run.groups.groupSize[g]);
    items.push_back(run.atomCount);
    return items;
}

void echoRange(const RunData& run, RecordFile& report) {
    std::vector<WriteItem> items = groupTallyItems(run);
    items.push_back(run.selection.rangeFirst);
    items.push_back(run.selection.rangeLast);
    report.writeItems("(/,10I5)", items);
}

void echoFlags(const RunData& run, RecordFile& report) {
    report.writeItems("(/,10I5)", groupTallyItems(run));
    const auto flags =
        std::span<const int32_t>(run.atoms.selectFlag.data(), size_t(run.selection.flagCount));
    const std::vector<WriteItem> digits(flags.begin(), flags.end());
    report.writeItems("(80I1)", digits);
}

}  // namespace

void readSelection(RunData& run, RecordFile& control, RecordFile& report) {
    readFlags(run, control);
    if (run.selection.flagSum != 0) {
        echoFlags(run, report);
        return;
    }
    readRange(run.selection, control);
    echoRange(run, report);
}

}  // namespace molframe
