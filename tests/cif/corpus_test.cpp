// Real structures of the corpus (tests/data/corpus, sources in its README) read through the
// cell block and the atom-site loop, as a run reads them.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "cif/cif_support.hpp"
#include "support/site_row.hpp"

namespace molframe {
namespace {

using test::SiteRow;

struct CorpusCase {
    const char* file;
    CellParameters cell;
    const char* cellLine;
    int32_t siteCount;
    SiteRow first;
    SiteRow last;
};

void PrintTo(const CorpusCase& row, std::ostream* out) {
    *out << row.file;
}

class CorpusTest : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusTest, ReadsCellAndSites) {
    const CorpusCase& expected = GetParam();
    testing::CifFiles dir;
    const testing::CellAndSites read =
        testing::readCellAndSites(dir, dir.corpusStructure(expected.file));

    testing::expectCell(read.cell, expected.cell.a, expected.cell.b, expected.cell.c,
                        expected.cell.alpha, expected.cell.beta, expected.cell.gamma);
    EXPECT_EQ(dir.reportText(), std::string(expected.cellLine) + "\n");
    ASSERT_EQ(read.siteCount, expected.siteCount);
    test::expectSiteRow(*read.sites, 0, expected.first);
    test::expectSiteRow(*read.sites, read.siteCount - 1, expected.last);
}

INSTANTIATE_TEST_SUITE_P(
    Structures, CorpusTest,
    ::testing::Values(
        // Monoclinic, angles "90" written before the lengths; the header closes with the two
        // disorder items (lines 242-243) and the 25 rows end at "loop_".
        CorpusCase{"cod-7227613.cif",
                   {13.7987f, 11.449f, 12.1306f, 90.0f, 96.794f, 90.0f},
                   "13.7987   11.4490   12.1306    90.0000   96.7940   90.0000",
                   25,
                   {"Ag1", "Ag", 0.75f, 0.40858f, 1.0f},
                   {"B1", "B", 0.2327f, 0.41f, 0.4921f}},
        // Hexagonal, gamma "120.00", angles before the lengths; the loop's columns start with
        // the type symbol, so the first item (the type) is stored as the label.
        CorpusCase{"cod-2232489.cif",
                   {20.8852f, 20.8852f, 37.62f, 90.0f, 90.0f, 120.0f},
                   "20.8852   20.8852   37.6200    90.0000   90.0000  120.0000",
                   39,
                   {"C", "C1", 0.9183f, 0.47477f, 0.03037f},
                   {"H", "H15C", 0.8695f, 0.2799f, 0.0534f}},
        // Hexagonal, angles "90", "90", "120"; no disorder items, so the fallback finds line
        // 78 "_atom_site_fract_z". Three more data names stand behind it, and the columns
        // run label, type, multiplicity, Wyckoff letter, x: the first row takes three data
        // names and the first two items of K1, the last is O2 with its multiplicity as x.
        CorpusCase{"cod-1000049.cif",
                   {5.947f, 5.947f, 8.375f, 90.0f, 90.0f, 120.0f},
                   " 5.9470    5.9470    8.3750    90.0000   90.0000  120.0000",
                   5,
                   {"_ato", "_ato", 0.0f, 0.0f, 0.0f},
                   {"O2", "O2-", 12.0f, 0.0f, 0.212f}}),
    [](const auto& info) {
        std::string name = info.param.file;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

}  // namespace
}  // namespace molframe
