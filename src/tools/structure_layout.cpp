#include "tools/structure_layout.hpp"

#include <algorithm>
#include <array>

namespace molframe::tools {

namespace {

/// Width of the data-name column of the cell lines: the longest name and two blanks.
constexpr std::size_t cellNameWidth = 19;

constexpr std::array<std::string_view, 7> siteDataNames = {
    "_atom_site_label",         "_atom_site_type_symbol", "_atom_site_fract_x",
    "_atom_site_fract_y",       "_atom_site_fract_z",     "_atom_site_disorder_assembly",
    "_atom_site_disorder_group"};

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '/';
}

bool needsQuotes(std::string_view text) {
    if (text.empty()) return true;
    if (std::string_view("'\"_#$;").find(text.front()) != std::string_view::npos) return true;
    return std::any_of(text.begin(), text.end(), isSeparator);
}

/// A quote that cannot be taken for the end of the text: one that stands neither at its ends
/// nor inside it before a separator.
char quoteFor(std::string_view text) {
    for (const char quote : {'\'', '"'}) {
        bool closesEarly = !text.empty() && (text.front() == quote || text.back() == quote);
        for (std::size_t i = 0; i + 1 < text.size() && !closesEarly; ++i) {
            closesEarly = text[i] == quote && isSeparator(text[i + 1]);
        }
        if (!closesEarly) return quote;
    }
    return '\'';
}

}  // namespace

std::string itemText(std::string_view text) {
    if (!needsQuotes(text)) return std::string(text);
    const char quote = quoteFor(text);
    return quote + std::string(text) + quote;
}

std::string formatStructureFile(const ImportedStructure& structure) {
    std::string file = "data_" + structure.blockName + "\n";
    for (std::size_t k = 0; k < cellDataNames.size(); ++k) {
        std::string name(cellDataNames[k]);
        name.resize(cellNameWidth, ' ');
        file += name + itemText(structure.cellTexts[k]) + "\n";
    }
    file += "loop_\n";
    for (const std::string_view name : siteDataNames) file += std::string(name) + "\n";
    for (const ImportedSite& site : structure.sites) {
        file += itemText(site.label) + " " + itemText(site.typeSymbol) + " " + itemText(site.x) +
                " " + itemText(site.y) + " " + itemText(site.z) + " . .\n";
    }
    file += "loop_\n";
    return file;
}

std::string formatSelectAllFile(std::size_t siteCount) {
    const std::size_t atoms = std::min(siteCount, sitesReadByMolframe);
    const std::size_t flagRecords = std::max<std::size_t>(1, (atoms + 79) / 80);
    return std::string(flagRecords, '\n') + std::to_string(atoms) + " 0\n";
}

}  // namespace molframe::tools
