// Structure layout: the "at.cif" that molframe reads, and a "kesp.dat" selecting every atom.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "tools/import_structure.hpp"

namespace molframe::tools {

/// The text of one item as molframe's list-directed read and a CIF parser both take it: as it
/// is, or in quotes when it holds a blank, a tab, a comma or a slash, or begins with a quote,
/// an underscore, "#", "$" or ";".
std::string itemText(std::string_view text);

/// The structure file molframe reads: "data_<block>", the six cell lines (a, b, c, alpha,
/// beta, gamma; data name, at least two blanks, value), "loop_" with the label, type symbol,
/// x, y, z and the two disorder data names, one row per site ending in ". .", and "loop_".
std::string formatStructureFile(const ImportedStructure& structure);

/// A selection file for range mode over every atom molframe reads (at most 300): blank flag
/// records, one per 80 atoms and at least one, then "n 0".
std::string formatSelectAllFile(std::size_t siteCount);

}  // namespace molframe::tools
