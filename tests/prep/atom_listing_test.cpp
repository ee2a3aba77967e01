// Atom listing: the report lines, the AtomTable rows, atomCount and flagCount.
#include "prep/atom_listing.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "prep/prep_support.hpp"
#include "prep/type_grouping.hpp"
#include "support/record_capture.hpp"

namespace molframe {
namespace {

using test::SiteRow;

/// Groups the sites, lists them into a fresh report and returns the report's text.
std::string listSites(RunData& run) {
    groupSitesByType(run);
    test::CapturedRecords report;
    listAtoms(run, report.file());
    return report.text();
}

TEST(AtomListingTest, WritesOneLinePerAtomInGroupOrder) {
    auto run = test::runWithSites({{"O1", "O", 0.12345f, -0.0123f, 0.5f},
                                   {"C10A", "C", 0.25f, 0.75f, -0.125f},
                                   {"C2", "C", 1.0f, 0.0f, -0.000004f},
                                   {"H1", "H", 0.333333f, 0.666667f, 0.999996f}});
    const std::string report = listSites(*run);

    EXPECT_EQ(report,
              "   1    0.12345  -0.01230   0.50000    O1   O   \n"
              "   2    0.25000   0.75000  -0.12500    C10A C   \n"
              "   2    1.00000   0.00000  -0.00000    C2   C   \n"
              "   3    0.33333   0.66667   1.00000    H1   H   \n");
    EXPECT_EQ(run->atomCount, 4);
    EXPECT_EQ(run->selection.flagCount, 3);
}

TEST(AtomListingTest, EveryLineIsFortyEightColumns) {
    auto run = test::runWithSites({{"A", "B", 0.0f, 0.0f, 0.0f},
                                   {"ABCD", "WXYZ", -9.5f, 99.0f, 999.99999f},
                                   {"", "", 0.5f, 0.5f, 0.5f}});
    const std::string report = listSites(*run);

    size_t start = 0;
    int32_t lines = 0;
    for (size_t end = report.find('\n'); end != std::string::npos;
         start = end + 1, end = report.find('\n', start)) {
        EXPECT_EQ(end - start, 48u) << report.substr(start, end - start);
        ++lines;
    }
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(start, report.size());
}

TEST(AtomListingTest, CoordinateTooWideIsTenAsterisks) {
    auto run = test::runWithSites({{"X1", "X", 1000.0f, -1000.0f, 123456.0f}});
    EXPECT_EQ(listSites(*run), "   1 1000.00000********************    X1   X   \n");
}

TEST(AtomListingTest, FillsTheAtomTableLikeTheListing) {
    auto run = test::runWithSites({{"N1", "N", 0.1f, 0.2f, 0.3f},
                                   {"C1", "C", 0.4f, 0.5f, 0.6f},
                                   {"N2", "N", 0.7f, 0.8f, 0.9f}});
    listSites(*run);

    ASSERT_EQ(run->atomCount, 3);
    for (int32_t k = 0; k < run->atomCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(run->atoms.group[k], run->orderedSites.group[k]);
        EXPECT_EQ(run->atoms.label[k], run->orderedSites.label[k]);
        EXPECT_EQ(run->atoms.typeSymbol[k], run->orderedSites.typeSymbol[k]);
        EXPECT_EQ(run->atoms.fractX[k], run->orderedSites.fractX[k]);
        EXPECT_EQ(run->atoms.fractY[k], run->orderedSites.fractY[k]);
        EXPECT_EQ(run->atoms.fractZ[k], run->orderedSites.fractZ[k]);
    }
    EXPECT_EQ(asView(run->atoms.label[1]), "N2  ");
    EXPECT_EQ(run->atoms.fractZ[2], 0.6f);
    EXPECT_EQ(run->atoms.group[2], 2);
}

struct TotalsCase {
    std::string name;
    std::vector<int32_t> groupSizes;  // sites of each type symbol, one symbol after the other
    int32_t atomCount;
    int32_t flagCount;
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const TotalsCase& row, std::ostream* out) {
    *out << row.name;
}

class ListingTotalsTest : public ::testing::TestWithParam<TotalsCase> {};

TEST_P(ListingTotalsTest, AtomCountAndFlagCount) {
    const TotalsCase& c = GetParam();
    std::vector<SiteRow> rows;
    for (size_t g = 0; g < c.groupSizes.size(); ++g) {
        for (int32_t i = 0; i < c.groupSizes[g]; ++i)
            rows.push_back({"A", "T" + std::to_string(g)});
    }
    auto run = test::runWithSites(rows);
    const std::string report = listSites(*run);

    EXPECT_EQ(run->atomCount, c.atomCount);
    EXPECT_EQ(run->selection.flagCount, c.flagCount);
    EXPECT_EQ(report.size(), 49u * static_cast<size_t>(c.atomCount));
}

INSTANTIATE_TEST_SUITE_P(Cases, ListingTotalsTest,
                         ::testing::Values(TotalsCase{"ThreeGroups", {6, 5, 8}, 19, 11},
                                           TotalsCase{"NoSites", {}, 0, 0},
                                           TotalsCase{"OneGroup", {4}, 4, 0},
                                           TotalsCase{"EveryGroupOneSite", {1, 1, 1, 1, 1}, 5, 4},
                                           TotalsCase{"FullTable", {100, 150, 50}, 300, 250}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace molframe
