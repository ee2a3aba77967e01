#include "support/site_row.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstddef>

#include "run/fixed_text.hpp"

namespace molframe::test {

void expectSiteRow(const SiteTable& sites, int32_t index, const SiteRow& row) {
    const auto i = static_cast<std::size_t>(index);
    const auto bits = [](float value) { return std::bit_cast<uint32_t>(value); };
    EXPECT_EQ(asView(sites.label[i]), asView(toFixedText<4>(row.label))) << "row " << index + 1;
    EXPECT_EQ(asView(sites.typeSymbol[i]), asView(toFixedText<4>(row.typeSymbol)))
        << "row " << index + 1;
    EXPECT_EQ(bits(sites.fractX[i]), bits(row.x))
        << "row " << index + 1 << " x " << sites.fractX[i];
    EXPECT_EQ(bits(sites.fractY[i]), bits(row.y))
        << "row " << index + 1 << " y " << sites.fractY[i];
    EXPECT_EQ(bits(sites.fractZ[i]), bits(row.z))
        << "row " << index + 1 << " z " << sites.fractZ[i];
}

}  // namespace molframe::test
