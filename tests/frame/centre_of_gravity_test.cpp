#include "frame/centre_of_gravity.hpp"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "support/record_capture.hpp"

namespace molframe {
namespace {

using Point = std::array<float, 3>;

AtomTable atomsAt(const std::vector<Point>& points) {
    AtomTable atoms;
    for (std::size_t i = 0; i < points.size(); ++i) {
        atoms.cartX[i] = points[i][0];
        atoms.cartY[i] = points[i][1];
        atoms.cartZ[i] = points[i][2];
    }
    return atoms;
}

struct CentreCase {
    const char* name;
    std::vector<Point> atoms;
    std::string line;                 // the report block
    std::vector<Point> centredAtoms;  // coordinates after centring
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const CentreCase& row, std::ostream* out) {
    *out << row.name;
}

class CentreOfGravity : public ::testing::TestWithParam<CentreCase> {};

TEST_P(CentreOfGravity, ReportsTheCentreAndMovesTheAtoms) {
    const CentreCase& row = GetParam();
    const auto count = static_cast<int32_t>(row.atoms.size());
    AtomTable atoms = atomsAt(row.atoms);
    test::CapturedRecords report;

    const CentrePoint centre = centreOfGravity(atoms, count);
    writeCentre(report.file(), centre);
    centreAtoms(atoms, count, centre);

    EXPECT_EQ(report.text(), row.line);
    for (int32_t i = 0; i < count; ++i) {
        EXPECT_EQ(atoms.cartX[i], row.centredAtoms[i][0]) << "atom " << i + 1;
        EXPECT_EQ(atoms.cartY[i], row.centredAtoms[i][1]) << "atom " << i + 1;
        EXPECT_EQ(atoms.cartZ[i], row.centredAtoms[i][2]) << "atom " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Centres, CentreOfGravity,
    ::testing::Values(
        // r2 about 0.09: taken as the origin, nothing moves.
        CentreCase{"NearOrigin",
                   {{0.0f, 0.0f, 0.0f}, {0.2f, 0.4f, 0.4f}},
                   "\n CENTER OF GRAVITY= (   0.00000   0.00000   0.00000  )\n",
                   {{0.0f, 0.0f, 0.0f}, {0.2f, 0.4f, 0.4f}}},
        // r2 about 0.12: reported and subtracted.
        CentreCase{"AwayFromOrigin",
                   {{0.4f, 0.4f, 0.4f}, {0.0f, 0.0f, 0.0f}},
                   "\n CENTER OF GRAVITY= (   0.20000   0.20000   0.20000  )\n",
                   {{0.2f, 0.2f, 0.2f}, {-0.2f, -0.2f, -0.2f}}},
        CentreCase{"NegativeCentre",
                   {{-3.0f, 1.0f, 5.0f}, {-1.0f, 3.0f, 7.0f}},
                   "\n CENTER OF GRAVITY= (  -2.00000   2.00000   6.00000  )\n",
                   {{-1.0f, -1.0f, -1.0f}, {1.0f, 1.0f, 1.0f}}},
        // 0/0 is NaN, which is taken as the origin.
        CentreCase{
            "NoAtoms", {}, "\n CENTER OF GRAVITY= (   0.00000   0.00000   0.00000  )\n", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CentreOfGravity, EmptyTableTouchesNoRow) {
    AtomTable atoms = atomsAt({{5.0f, 6.0f, 7.0f}});
    const CentrePoint centre = centreOfGravity(atoms, 0);
    EXPECT_EQ(centre.x, 0.0f);
    EXPECT_EQ(centre.y, 0.0f);
    EXPECT_EQ(centre.z, 0.0f);
    centreAtoms(atoms, 0, centre);
    EXPECT_EQ(atoms.cartX[0], 5.0f);
}

TEST(CentreOfGravity, CentredColumnsSumToZero) {
    const std::vector<Point> points{{1.25f, 7.5f, -3.1f},
                                    {4.7f, 6.3f, -2.2f},
                                    {2.9f, 9.1f, -4.8f},
                                    {3.3f, 5.55f, -1.9f},
                                    {0.6f, 8.05f, -3.3f}};
    AtomTable atoms = atomsAt(points);
    const auto count = static_cast<int32_t>(points.size());
    centreAtoms(atoms, count, centreOfGravity(atoms, count));
    float sumX = 0.0f;
    float sumY = 0.0f;
    float sumZ = 0.0f;
    for (int32_t i = 0; i < count; ++i) {
        sumX += atoms.cartX[i];
        sumY += atoms.cartY[i];
        sumZ += atoms.cartZ[i];
    }
    EXPECT_NEAR(sumX, 0.0f, 1e-5f);
    EXPECT_NEAR(sumY, 0.0f, 1e-5f);
    EXPECT_NEAR(sumZ, 0.0f, 1e-5f);
}

}  // namespace
}  // namespace molframe
