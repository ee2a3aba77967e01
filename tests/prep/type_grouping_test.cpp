// Type grouping: numbering by first appearance and the stable order by group.
#include "prep/type_grouping.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "prep/prep_support.hpp"

namespace molframe {
namespace {

using test::SiteRow;

struct GroupingCase {
    std::string name;
    std::vector<SiteRow> sites;
    std::vector<int32_t> groups;             // group of each site, in file order
    std::vector<int32_t> groupSizes;         // groupSize of groups 1 to groupCount
    std::vector<std::string> orderedLabels;  // labels of the OrderedSiteTable
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const GroupingCase& row, std::ostream* out) {
    *out << row.name;
}

std::vector<std::string> orderedLabelsOf(const RunData& run) {
    std::vector<std::string> labels;
    for (int32_t k = 0; k < run.siteCount; ++k) {
        labels.emplace_back(asView(run.orderedSites.label[k]));
    }
    return labels;
}

class TypeGroupingTest : public ::testing::TestWithParam<GroupingCase> {};

TEST_P(TypeGroupingTest, NumbersOrdersAndCounts) {
    const GroupingCase& c = GetParam();
    auto run = test::runWithSites(c.sites);
    groupSitesByType(*run);

    EXPECT_EQ(run->groups.groupCount, static_cast<int32_t>(c.groupSizes.size()));
    const std::vector<int32_t> sizes(run->groups.groupSize.begin(),
                                     run->groups.groupSize.begin() + run->groups.groupCount);
    EXPECT_EQ(sizes, c.groupSizes);
    const std::vector<int32_t> groups(run->sites.group.begin(),
                                      run->sites.group.begin() + run->siteCount);
    EXPECT_EQ(groups, c.groups);
    EXPECT_EQ(orderedLabelsOf(*run), c.orderedLabels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypeGroupingTest,
    ::testing::Values(
        GroupingCase{"ExampleWithRecurringSymbols",
                     {{"C1", "C"}, {"H1", "H"}, {"O1", "O"}, {"H2", "H"}, {"C2", "C"}, {"N1", "N"}},
                     {1, 2, 3, 2, 1, 4},
                     {2, 2, 1, 1},
                     {"C1  ", "C2  ", "H1  ", "H2  ", "O1  ", "N1  "}},
        GroupingCase{"NoSites", {}, {}, {0}, {}},
        GroupingCase{"OneSite", {{"Fe1", "Fe"}}, {1}, {1}, {"Fe1 "}},
        GroupingCase{"OneTypeSymbolKeepsFileOrder",
                     {{"C3", "C"}, {"C1", "C"}, {"C2", "C"}},
                     {1, 1, 1},
                     {3},
                     {"C3  ", "C1  ", "C2  "}},
        GroupingCase{"AllDistinctKeepFileOrder",
                     {{"S1", "S"}, {"O1", "O"}, {"N1", "N"}, {"C1", "C"}},
                     {1, 2, 3, 4},
                     {1, 1, 1, 1},
                     {"S1  ", "O1  ", "N1  ", "C1  "}},
        GroupingCase{"CaseCounts",
                     {{"A", "C"}, {"B", "c"}, {"D", "C"}},
                     {1, 2, 1},
                     {2, 1},
                     {"A   ", "D   ", "B   "}},
        GroupingCase{"WholeSymbolCounts",
                     {{"A", "C1"}, {"B", "C"}, {"D", "C1"}},
                     {1, 2, 1},
                     {2, 1},
                     {"A   ", "D   ", "B   "}},
        GroupingCase{"LabelPlaysNoPart",
                     {{"X1", "C"}, {"X1", "O"}, {"C", "O"}},
                     {1, 2, 2},
                     {1, 2},
                     {"X1  ", "X1  ", "C   "}}),
    [](const auto& info) { return info.param.name; });

TEST(TypeGroupingTest, OrderedRowsCarryEveryColumn) {
    auto run = test::runWithSites({{"O1", "O", 0.1f, 0.2f, 0.3f},
                                   {"C1", "C", -0.5f, 1.5f, 2.5f},
                                   {"O2", "O", 0.7f, 0.8f, 0.9f}});
    groupSitesByType(*run);

    const OrderedSiteTable& ordered = run->orderedSites;
    const struct {
        const char* label;
        const char* type;
        float x, y, z;
        int32_t group;
    } expected[] = {{"O1  ", "O   ", 0.1f, 0.2f, 0.3f, 1},
                    {"O2  ", "O   ", 0.7f, 0.8f, 0.9f, 1},
                    {"C1  ", "C   ", -0.5f, 1.5f, 2.5f, 2}};
    for (int32_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(asView(ordered.label[k]), expected[k].label);
        EXPECT_EQ(asView(ordered.typeSymbol[k]), expected[k].type);
        EXPECT_EQ(ordered.fractX[k], expected[k].x);
        EXPECT_EQ(ordered.fractY[k], expected[k].y);
        EXPECT_EQ(ordered.fractZ[k], expected[k].z);
        EXPECT_EQ(ordered.group[k], expected[k].group);
    }
}

// Every one of 300 sites with its own type symbol: 300 groups, no overflow, file order kept.
TEST(TypeGroupingTest, ThreeHundredDistinctSymbols) {
    std::vector<SiteRow> rows;
    for (int32_t i = 0; i < siteCapacity; ++i) {
        rows.push_back({"L" + std::to_string(i), "T" + std::to_string(i)});
    }
    auto run = test::runWithSites(rows);
    groupSitesByType(*run);

    ASSERT_EQ(run->groups.groupCount, siteCapacity);
    for (int32_t k = 0; k < siteCapacity; ++k) {
        EXPECT_EQ(run->groups.groupSize[k], 1);
        EXPECT_EQ(run->orderedSites.group[k], k + 1);
        EXPECT_EQ(run->orderedSites.label[k], toFixedText<4>("L" + std::to_string(k)));
    }
}

}  // namespace
}  // namespace molframe
