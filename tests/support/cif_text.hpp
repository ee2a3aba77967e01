// Test support shared by every test folder: the pieces of "at.cif" texts that tests build from.
#pragma once

#include <string>

namespace molframe::test {

/// The five atom-site columns molframe reads, opened by "loop_", one data name a line.
std::string atomSiteColumns();

/// The atom-site label and the three fractional coordinates, opened by "loop_": no type symbol.
std::string labelAndCoordinateColumns();

/// The standard atom-site header: the five columns closed by the two disorder items.
std::string atomSiteHeader();

/// The six values of a cell block as written in the file, e.g. "10.1234(5)" or "90".
struct CellTexts {
    std::string a;
    std::string b;
    std::string c;
    std::string alpha;
    std::string beta;
    std::string gamma;
};

/// The six cell lines in the order a, b, c, alpha, beta, gamma: data name, gap, value.
std::string cellLines(const CellTexts& values, const std::string& gap = " ");

/// The six cell lines as molframe-import writes them: every value from column 20.
std::string alignedCellLines(const CellTexts& values);

/// The example monoclinic cell of a public file: the angles, the formula units and the lengths
/// in alphabetical order of their data names, every value from column 34.
std::string alphabeticalCellLines();

/// The text with every line end "\n" written as "\r\n".
std::string withCarriageReturns(const std::string& text);

}  // namespace molframe::test
