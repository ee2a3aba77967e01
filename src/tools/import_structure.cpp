#include "tools/import_structure.hpp"

#include <gemmi/cif.hpp>
#include <gemmi/util.hpp>

#include <cctype>
#include <exception>

namespace molframe::tools {

namespace cif = gemmi::cif;

namespace {

/// The value of one item on one line, quotes and text-field markers taken off; std::nullopt
/// for the CIF null values "?" and "." and for an empty text.
std::optional<std::string> valueOf(const std::string& raw) {
    if (cif::is_null(raw)) return std::nullopt;
    std::string text = cif::as_string(raw);
    for (char& c : text) {
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    }
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

/// The same data name in the dotted form of newer dictionaries: "_cell.length_a".
std::string dottedName(std::string_view name, std::string_view category) {
    std::string dotted(name);
    dotted[category.size() - 1] = '.';
    return dotted;
}

/// The value text of a cell data name in the block, in either form of the name.
std::optional<std::string> cellValue(const cif::Block& block, std::string_view name) {
    const std::string* raw = block.find_value(std::string(name));
    if (raw == nullptr) raw = block.find_value(dottedName(name, "_cell_"));
    if (raw == nullptr) return std::nullopt;
    return valueOf(*raw);
}

/// Index of the first cell length the block lacks, or std::nullopt when it has all three.
std::optional<std::size_t> missingCellLength(const cif::Block& block) {
    for (std::size_t k = 0; k < 3; ++k) {
        if (!cellValue(block, cellDataNames[k])) return k;
    }
    return std::nullopt;
}

// Columns of the atom-site table, in the order asked for.
constexpr int columnX = 0;
constexpr int columnLabel = 3;
constexpr int columnType = 4;

/// The atom-site table of the block with the three fractional coordinates and, when present,
/// the labels and type symbols; not ok() when the block has no such table.
cif::Table siteTable(cif::Block& block) {
    const std::vector<std::string> tags = {"fract_x", "fract_y", "fract_z", "?label",
                                           "?type_symbol"};
    const bool underscored = block.find("_atom_site_", tags).ok();
    return block.find(underscored ? "_atom_site_" : "_atom_site.", tags);
}

std::string blockHeading(const cif::Block& block) {
    return "data_" + block.name;
}

/// The block to import, or an ImportError saying why there is none.
cif::Block& chooseBlock(cif::Document& doc, const std::string& sourceName,
                        const std::optional<std::string>& blockName) {
    if (blockName) {
        const std::string wanted = gemmi::to_lower(*blockName);
        for (cif::Block& block : doc.blocks) {
            if (gemmi::to_lower(block.name) == wanted) return block;
        }
        throw ImportError{sourceName + ": no data block named " + *blockName};
    }
    for (cif::Block& block : doc.blocks) {
        if (!missingCellLength(block) && siteTable(block).ok()) return block;
    }
    // The first block with coordinates but no complete cell says best what is wrong.
    for (cif::Block& block : doc.blocks) {
        if (siteTable(block).ok()) return block;
    }
    throw ImportError{sourceName +
                      ": no data block with an atom-site loop of _atom_site_fract_x, _y and _z"};
}

/// The six cell texts; a missing angle is the CIF default "90.0" and gets a note.
std::array<std::string, 6> readCell(const cif::Block& block, const std::string& sourceName,
                                    std::vector<std::string>& notes) {
    if (const auto k = missingCellLength(block)) {
        throw ImportError{sourceName + ": " + blockHeading(block) + ": no value for " +
                          std::string(cellDataNames[*k])};
    }
    std::array<std::string, 6> texts;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        if (const auto value = cellValue(block, cellDataNames[k])) {
            texts[k] = *value;
            continue;
        }
        texts[k] = "90.0";
        notes.push_back("no value for " + std::string(cellDataNames[k]) + ", written as 90.0");
    }
    return texts;
}

/// The text of one column of a row, or std::nullopt when the column is absent or null.
std::optional<std::string> rowValue(cif::Table::Row& row, int column) {
    if (!row.has(column)) return std::nullopt;
    return valueOf(row[column]);
}

/// A label that molframe would take as the end of the rows (a blank one is never kept).
bool endsMolframeRows(std::string_view label) {
    return label.substr(0, 4) == "loop";
}

/// Counts of the sites that needed something supplied, for the notes.
struct SiteRepairs {
    int typesFromLabels = 0;
    int labelsMade = 0;
    std::vector<std::string> leftOut;
};

void noteRepairs(const SiteRepairs& repairs, std::size_t siteCount,
                 std::vector<std::string>& notes) {
    if (repairs.typesFromLabels > 0) {
        notes.push_back(std::to_string(repairs.typesFromLabels) + " of " +
                        std::to_string(siteCount) +
                        " sites without _atom_site_type_symbol: taken from the label");
    }
    if (repairs.labelsMade > 0) {
        notes.push_back(std::to_string(repairs.labelsMade) + " of " + std::to_string(siteCount) +
                        " sites without a usable _atom_site_label: type symbol and row number");
    }
    if (!repairs.leftOut.empty()) {
        std::string names;
        for (const std::string& name : repairs.leftOut) names += " " + name;
        notes.push_back(std::to_string(repairs.leftOut.size()) +
                        " sites without fractional coordinates left out:" + names);
    }
}

/// The sites of the table in loop order; labels and type symbols supplied where missing.
std::vector<ImportedSite> readSites(cif::Table& table, std::vector<std::string>& notes) {
    std::vector<ImportedSite> sites;
    SiteRepairs repairs;
    const std::size_t rows = table.length();
    for (std::size_t i = 0; i < rows; ++i) {
        cif::Table::Row row = table[static_cast<int>(i)];
        ImportedSite site;
        std::optional<std::string> label = rowValue(row, columnLabel);
        std::optional<std::string> type = rowValue(row, columnType);
        std::optional<std::string> coordinates[3];
        for (int k = 0; k < 3; ++k) coordinates[k] = rowValue(row, columnX + k);
        if (!type) {
            type = label ? typeSymbolOfLabel(*label) : "?";
            ++repairs.typesFromLabels;
        }
        if (!label || endsMolframeRows(*label)) {
            label = *type + std::to_string(i + 1);
            ++repairs.labelsMade;
        }
        if (!coordinates[0] || !coordinates[1] || !coordinates[2]) {
            repairs.leftOut.push_back(*label);
            continue;
        }
        sites.push_back({*label, *type, *coordinates[0], *coordinates[1], *coordinates[2]});
    }
    noteRepairs(repairs, rows, notes);
    return sites;
}

}  // namespace

std::string typeSymbolOfLabel(std::string_view label) {
    const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    const auto isLower = [](char c) { return std::islower(static_cast<unsigned char>(c)) != 0; };
    if (label.empty() || !isLetter(label[0])) return "?";
    if (label.size() > 1 && isLower(label[1])) return std::string(label.substr(0, 2));
    return std::string(label.substr(0, 1));
}

ImportedStructure importStructure(std::string_view cifText, const std::string& sourceName,
                                  const std::optional<std::string>& blockName) {
    cif::Document doc;
    try {
        doc = cif::read_memory(cifText.data(), cifText.size(), sourceName.c_str());
    } catch (const std::exception& error) {
        throw ImportError{error.what()};
    }
    cif::Block& block = chooseBlock(doc, sourceName, blockName);
    ImportedStructure structure;
    structure.blockName = block.name;
    structure.cellTexts = readCell(block, sourceName, structure.notes);
    cif::Table table = siteTable(block);
    if (!table.ok()) {
        throw ImportError{sourceName + ": " + blockHeading(block) +
                          ": no atom-site loop of _atom_site_fract_x, _y and _z"};
    }
    structure.sites = readSites(table, structure.notes);
    if (structure.sites.size() > sitesReadByMolframe) {
        structure.notes.push_back(std::to_string(structure.sites.size()) +
                                  " sites written; molframe reads the first " +
                                  std::to_string(sitesReadByMolframe));
    }
    return structure;
}

}  // namespace molframe::tools
