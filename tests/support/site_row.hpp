// Test support shared by every test folder: one atom-site row, to fill or to check a SiteTable.
#pragma once

#include <cstdint>
#include <string>

#include "run/run_data.hpp"

namespace molframe::test {

/// One atom-site row as the loop reader stores it: label and type symbol (cut to 4 characters
/// when stored), the three fractional coordinates.
struct SiteRow {
    std::string label;
    std::string typeSymbol;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

/// Checks row index (from 0) of the table: the texts cut to 4, the coordinates bit for bit.
void expectSiteRow(const SiteTable& sites, int32_t index, const SiteRow& row);

}  // namespace molframe::test
