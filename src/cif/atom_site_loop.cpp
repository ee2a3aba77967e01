#include "cif/atom_site_loop.hpp"

#include <string_view>

#include "cif/tolerant_number.hpp"

namespace molframe {

namespace {

/// Header items examined for the first disorder item.
constexpr int32_t headerItemLimit = 900;
/// Lines examined by the fallback search for the fractional z data name.
constexpr int32_t fallbackLineLimit = 300;
/// Atom-site rows read at most.
constexpr int32_t rowLimit = 300;
static_assert(rowLimit <= siteCapacity, "every row read has its place in the SiteTable");

/// Any item that begins so is a disorder item of the header.
constexpr std::string_view disorderTag = "_atom_site_disor";

/// Working texts of a row; they live for the whole loop, so a row cut short by a slash
/// keeps the previous row's texts for the items it did not get.
struct RowTexts {
    Label label = blankText<4>();
    Label typeSymbol = blankText<4>();
    ValueText x = blankText<16>();
    ValueText y = blankText<16>();
    ValueText z = blankText<16>();
};

/// Reads one first item per record up to the first disorder item and passes over the record
/// after it, the header's second disorder item. False at the end of the file.
bool passHeaderByDisorderItems(RecordFile& structure) {
    ValueText item = blankText<16>();
    for (int32_t read = 0; read < headerItemLimit; ++read) {
        if (structure.readList(Exits::endOfFile, item) == ReadStatus::endOfFile) return false;
        if (asView(item) == disorderTag) break;
    }
    structure.readList(Exits::none, item);
    return true;
}

/// From the top, reads up to 300 records until one holds "_atom_site_fract_z" from column
/// 1 and nothing else before column 33; the rows follow it (or line 300).
void passHeaderByFractZ(RecordFile& structure) {
    structure.rewind();
    ValueText first = blankText<16>();
    ValueText second = blankText<16>();
    for (int32_t line = 0; line < fallbackLineLimit; ++line) {
        structure.read(Exits::none, "(2A16)", first, second);
        if (asView(first) == "_atom_site_fract" && asView(second) == "_z              ") return;
    }
}

/// A label that ends the rows: blank, or the first four characters of "loop_".
bool endsRows(const Label& label) {
    return label == blankText<4>() || asView(label) == "loop";
}

}  // namespace

void readAtomSiteLoop(RecordFile& structure, SiteTable& sites, int32_t& siteCount) {
    if (!passHeaderByDisorderItems(structure)) passHeaderByFractZ(structure);

    RowTexts texts;
    // A coordinate that no format reads keeps the previous row's value; 0 before the first.
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    int32_t stored = 0;
    while (stored < rowLimit) {
        const ReadStatus status = structure.readList(Exits::endOfFileAndError, texts.label,
                                                     texts.typeSymbol, texts.x, texts.y, texts.z);
        if (status != ReadStatus::ok || endsRows(texts.label)) break;
        readTolerantNumber(texts.x, coordinateCascade, x);
        readTolerantNumber(texts.y, coordinateCascade, y);
        readTolerantNumber(texts.z, coordinateCascade, z);
        const auto row = static_cast<std::size_t>(stored);
        sites.label[row] = texts.label;
        sites.typeSymbol[row] = texts.typeSymbol;
        sites.fractX[row] = x;
        sites.fractY[row] = y;
        sites.fractZ[row] = z;
        ++stored;
    }
    siteCount = stored;
}

}  // namespace molframe
