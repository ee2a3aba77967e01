#include "support/cif_text.hpp"

#include <array>
#include <cstddef>

namespace molframe::test {

namespace {

/// Each line as data name, the spaces that bring the value to column (from 0), the value.
std::string alignedLine(const std::string& name, const std::string& value, std::size_t column) {
    return name + std::string(column - name.size(), ' ') + value + "\n";
}

std::array<std::string, 6> cellNames() {
    return {"_cell_length_a",    "_cell_length_b",   "_cell_length_c",
            "_cell_angle_alpha", "_cell_angle_beta", "_cell_angle_gamma"};
}

std::array<std::string, 6> cellValues(const CellTexts& values) {
    return {values.a, values.b, values.c, values.alpha, values.beta, values.gamma};
}

}  // namespace

std::string atomSiteColumns() {
    return "loop_\n"
           "_atom_site_label\n"
           "_atom_site_type_symbol\n"
           "_atom_site_fract_x\n"
           "_atom_site_fract_y\n"
           "_atom_site_fract_z\n";
}

std::string labelAndCoordinateColumns() {
    return "loop_\n"
           "_atom_site_label\n"
           "_atom_site_fract_x\n"
           "_atom_site_fract_y\n"
           "_atom_site_fract_z\n";
}

std::string atomSiteHeader() {
    return atomSiteColumns() +
           "_atom_site_disorder_assembly\n"
           "_atom_site_disorder_group\n";
}

std::string cellLines(const CellTexts& values, const std::string& gap) {
    const auto names = cellNames();
    const auto texts = cellValues(values);
    std::string lines;
    for (std::size_t i = 0; i < names.size(); ++i) lines += names[i] + gap + texts[i] + "\n";
    return lines;
}

std::string alignedCellLines(const CellTexts& values) {
    const auto names = cellNames();
    const auto texts = cellValues(values);
    std::string lines;
    for (std::size_t i = 0; i < names.size(); ++i) lines += alignedLine(names[i], texts[i], 19);
    return lines;
}

std::string alphabeticalCellLines() {
    return alignedLine("_cell_angle_alpha", "90", 33) +
           alignedLine("_cell_angle_beta", "104.523(3)", 33) +
           alignedLine("_cell_angle_gamma", "90", 33) +
           alignedLine("_cell_formula_units_Z", "4", 33) +
           alignedLine("_cell_length_a", "10.1234(5)", 33) +
           alignedLine("_cell_length_b", "9.8765(3)", 33) +
           alignedLine("_cell_length_c", "15.4321(8)", 33);
}

std::string withCarriageReturns(const std::string& text) {
    std::string result;
    for (const char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

}  // namespace molframe::test
