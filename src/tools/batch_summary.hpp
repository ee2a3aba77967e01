// Batch summary: one row per structure, from molframe's report and XYZ file, as a table.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace molframe::tools {

/// One structure of a batch.
struct SummaryRow {
    std::string file;                    ///< the input as given
    std::string atoms;                   ///< atom count of "mc.xyz", "-" when there is none
    std::array<std::string, 3> extents;  ///< extents of VL, VS, VV as reported, "-" when none
    std::string status;                  ///< "ok", or what failed
    std::string diagnostic;              ///< the first line the tools wrote to the console
    bool succeeded() const { return status == "ok"; }
};

/// The extents of VL, VS and VV: the first ten columns of the report's axis lines
/// (" A  VL = " in columns 11 to 19), blanks taken off; std::nullopt when a line is missing.
std::optional<std::array<std::string, 3>> extentsOfReport(std::string_view report);

/// The atom count of an XYZ file: its first record, blanks taken off; std::nullopt when empty.
std::optional<std::string> atomsOfXyz(std::string_view xyz);

/// The first line of the text that holds more than blanks, blanks taken off both ends.
std::string firstLine(std::string_view text);

/// The summary for the console: a heading and one row per structure, columns aligned.
std::string formatSummaryTable(std::span<const SummaryRow> rows);

/// The same summary as tab-separated values (tabs and line ends in a field become blanks).
std::string formatSummaryTsv(std::span<const SummaryRow> rows);

}  // namespace molframe::tools
