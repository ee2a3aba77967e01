#include "tools/batch_summary.hpp"

#include <algorithm>
#include <vector>

namespace molframe::tools {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

/// Calls take(line) for each line of the text until it returns true.
template <class Take>
void forEachLine(std::string_view text, Take take) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (take(text.substr(0, end))) return;
        if (end == std::string_view::npos) return;
        text.remove_prefix(end + 1);
    }
}

constexpr std::array<std::string_view, 7> headings = {"file", "atoms",  "VL",        "VS",
                                                      "VV",   "status", "diagnostic"};

std::array<std::string, 7> cellsOf(const SummaryRow& row) {
    return {row.file,       row.atoms,  row.extents[0], row.extents[1],
            row.extents[2], row.status, row.diagnostic};
}

std::string tsvField(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

}  // namespace

std::optional<std::array<std::string, 3>> extentsOfReport(std::string_view report) {
    constexpr std::array<std::string_view, 3> axes = {" A  VL = ", " A  VS = ", " A  VV = "};
    std::array<std::string, 3> extents;
    std::array<bool, 3> found{};
    forEachLine(report, [&](std::string_view line) {
        for (std::size_t k = 0; k < axes.size(); ++k) {
            if (!found[k] && line.size() >= 19 && line.substr(10, 9) == axes[k]) {
                extents[k] = std::string(trimmed(line.substr(0, 10)));
                found[k] = true;
            }
        }
        return false;
    });
    if (!found[0] || !found[1] || !found[2]) return std::nullopt;
    return extents;
}

std::optional<std::string> atomsOfXyz(std::string_view xyz) {
    const std::string_view count = trimmed(xyz.substr(0, xyz.find('\n')));
    if (count.empty()) return std::nullopt;
    return std::string(count);
}

std::string firstLine(std::string_view text) {
    std::string first;
    forEachLine(text, [&](std::string_view line) {
        first = std::string(trimmed(line));
        return !first.empty();
    });
    return first;
}

std::string formatSummaryTable(std::span<const SummaryRow> rows) {
    std::array<std::size_t, headings.size()> widths{};
    for (std::size_t c = 0; c < headings.size(); ++c) widths[c] = headings[c].size();
    for (const SummaryRow& row : rows) {
        const auto cells = cellsOf(row);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            widths[c] = std::max(widths[c], cells[c].size());
        }
    }
    // Counts and extents are right-aligned, texts left-aligned; the last column is not padded.
    const auto line = [&](const std::array<std::string, 7>& cells) {
        std::string text;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const std::string padding(widths[c] - cells[c].size(), ' ');
            const bool number = c >= 1 && c <= 4;
            if (c > 0) text += "  ";
            if (c + 1 == cells.size()) {
                text += cells[c];
            } else {
                text += number ? padding + cells[c] : cells[c] + padding;
            }
        }
        text.erase(text.find_last_not_of(' ') + 1);  // no blanks behind the last cell
        return text + "\n";
    };
    std::array<std::string, 7> heading;
    std::copy(headings.begin(), headings.end(), heading.begin());
    std::string table = line(heading);
    for (const SummaryRow& row : rows) table += line(cellsOf(row));
    return table;
}

std::string formatSummaryTsv(std::span<const SummaryRow> rows) {
    std::string tsv;
    for (std::size_t c = 0; c < headings.size(); ++c) {
        tsv += (c > 0 ? "\t" : "") + std::string(headings[c]);
    }
    tsv += "\n";
    for (const SummaryRow& row : rows) {
        const auto cells = cellsOf(row);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            tsv += (c > 0 ? "\t" : "") + tsvField(cells[c]);
        }
        tsv += "\n";
    }
    return tsv;
}

}  // namespace molframe::tools
