// Structure import: one data block of any CIF, read by its data names with gemmi's parser.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace molframe::tools {

/// One atom site as the structure file writes it.
struct ImportedSite {
    std::string label;       ///< quotes taken off; never empty
    std::string typeSymbol;  ///< quotes taken off; never empty
    std::string x, y, z;     ///< fractional coordinates, the texts as written (uncertainty kept)
};

/// The part of a structure that molframe reads, as texts of the structure file.
struct ImportedStructure {
    std::string blockName;                 ///< the name after "data_"
    std::array<std::string, 6> cellTexts;  ///< a, b, c, alpha, beta, gamma as written
    std::vector<ImportedSite> sites;       ///< in the order of the atom-site loop
    std::vector<std::string> notes;        ///< what was supplied or left out, one line each
};

/// Why a structure file cannot be imported: one line naming the file and the cause.
struct ImportError {
    std::string message;  ///< e.g. "x.cif:3:1: Wrong number of values in the loop"
};

/// Atom-site rows that molframe reads; later rows are written all the same.
inline constexpr std::size_t sitesReadByMolframe = 300;

/// Data names of the six cell parameters, in the order of ImportedStructure::cellTexts.
inline constexpr std::array<std::string_view, 6> cellDataNames = {
    "_cell_length_a",    "_cell_length_b",   "_cell_length_c",
    "_cell_angle_alpha", "_cell_angle_beta", "_cell_angle_gamma"};

/// Reads the CIF text (sourceName names it in messages) and takes the block named blockName
/// (letter case ignored), else the first block with the three cell lengths and an atom-site
/// loop with _atom_site_fract_x, _y and _z. Throws ImportError: syntax error (with its line),
/// no such block, no suitable block, a missing cell length.
ImportedStructure importStructure(std::string_view cifText, const std::string& sourceName,
                                  const std::optional<std::string>& blockName);

/// The type symbol a label begins with: its first letter, with the second when that is a
/// lower-case letter ("Cl12" gives "Cl", "C1A" gives "C"); "?" when it begins with no letter.
std::string typeSymbolOfLabel(std::string_view label);

}  // namespace molframe::tools
