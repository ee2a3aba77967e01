#include "cif/cell_block.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "cif/tolerant_number.hpp"

namespace molframe {

namespace {

/// Lines of the structure file examined for the cell tag.
constexpr int32_t tagSearchLines = 300;
/// The first 16 columns of the line that begins the cell block.
constexpr std::string_view cellTag = "_cell_length_a  ";

/// One of the six cell lines: its data name, its cascade and the parameter it fills.
struct CellLine {
    std::string_view dataName;
    Cascade cascade;
    float CellParameters::*parameter;
};

constexpr std::array<CellLine, 6> cellLines{{
    {"_cell_length_a", lengthCascade, &CellParameters::a},
    {"_cell_length_b", lengthCascade, &CellParameters::b},
    {"_cell_length_c", lengthCascade, &CellParameters::c},
    {"_cell_angle_alpha", angleCascade, &CellParameters::alpha},
    {"_cell_angle_beta", angleCascade, &CellParameters::beta},
    {"_cell_angle_gamma", angleCascade, &CellParameters::gamma},
}};

/// Tag and value texts of the six cell lines as the list-directed reads left them.
struct CellTexts {
    FixedText<16> tag = blankText<16>();
    std::array<ValueText, 6> value{};
    std::array<bool, 6> ownTag{};
};

/// Reads the next count lines and throws them away.
void skipLines(RecordFile& structure, int32_t count) {
    FixedText<16> lineStart = blankText<16>();
    for (int32_t line = 0; line < count; ++line) {
        structure.read(Exits::none, "(A16,5X,A16)", lineStart);
    }
}

/// Number of lines in front of the tag line, or 300 when none of the first 300 lines is it.
int32_t countLinesBeforeTag(RecordFile& structure) {
    FixedText<16> lineStart = blankText<16>();
    for (int32_t line = 0; line < tagSearchLines; ++line) {
        structure.read(Exits::none, "(A16,5X,A16)", lineStart);
        if (asView(lineStart) == cellTag) return line;
    }
    return tagSearchLines;
}

/// The six list-directed reads of tag and value, each from the next non-blank record on; a
/// line is the parameter's own when its tag is the parameter's data name cut to 16.
CellTexts readCellLines(RecordFile& structure) {
    CellTexts texts;
    texts.value.fill(blankText<16>());
    for (std::size_t i = 0; i < cellLines.size(); ++i) {
        structure.readList(Exits::none, texts.tag, texts.value[i]);
        texts.ownTag[i] = texts.tag == toFixedText<16>(cellLines[i].dataName);
    }
    return texts;
}

/// The value item after the first record of the structure file whose first item is exactly
/// the data name; nothing when the name stands nowhere or is followed by the end of the
/// file, an empty item or a slash. Moves the reading position.
std::optional<ValueText> findValueByDataName(RecordFile& structure, std::string_view dataName) {
    // Wider than every cell data name, so a longer item never matches.
    const FixedText<32> wanted = toFixedText<32>(dataName);
    FixedText<32> firstItem{};
    structure.rewind();
    while (true) {
        firstItem = blankText<32>();
        if (structure.readList(Exits::endOfFileAndError, firstItem) != ReadStatus::ok) {
            return std::nullopt;
        }
        if (firstItem == wanted) break;
    }
    // Read that record again, now for its name and the value after it.
    const int32_t record = structure.recordsRead();
    structure.rewind();
    skipLines(structure, record - 1);
    // A record never holds a line feed, so a value text of line feeds is one no item gave.
    ValueText value{};
    value.fill('\n');
    const ValueText noValue = value;
    if (structure.readList(Exits::endOfFileAndError, firstItem, value) != ReadStatus::ok ||
        value == noValue) {
        return std::nullopt;
    }
    return value;
}

/// Gives every cell line that carried another data name the value of its own name's line,
/// then sets the reading position back behind the sixth cell line.
void takeValuesByDataName(RecordFile& structure, CellTexts& texts) {
    const int32_t position = structure.recordsRead();
    bool moved = false;
    for (std::size_t i = 0; i < cellLines.size(); ++i) {
        if (texts.ownTag[i]) continue;
        moved = true;
        if (std::optional<ValueText> value =
                findValueByDataName(structure, cellLines[i].dataName)) {
            texts.value[i] = *value;
        }
    }
    if (!moved) return;
    structure.rewind();
    skipLines(structure, position);
}

}  // namespace

void readCellBlock(RecordFile& structure, RecordFile& report, CellParameters& cell) {
    const int32_t linesBeforeTag = countLinesBeforeTag(structure);
    structure.rewind();
    skipLines(structure, linesBeforeTag);
    CellTexts texts = readCellLines(structure);
    takeValuesByDataName(structure, texts);

    // A value that no format reads keeps 0, the value of a blank field.
    cell = CellParameters{};
    for (std::size_t i = 0; i < cellLines.size(); ++i) {
        readTolerantNumber(texts.value[i], cellLines[i].cascade, cell.*cellLines[i].parameter);
    }
    // An angle below 1 is no cell angle (an unreadable one holds 0): it becomes a right angle.
    for (float* angle : {&cell.alpha, &cell.beta, &cell.gamma}) {
        if (*angle < 1.0f) *angle = 90.0f;
    }
    report.write("(F7.4,3X,F7.4,3X,F7.4,3X,F8.4,2X,F8.4,2X,F8.4)", cell.a, cell.b, cell.c,
                 cell.alpha, cell.beta, cell.gamma);
}

}  // namespace molframe
