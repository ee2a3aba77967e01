#include "frame/principal_axes.hpp"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "frame/centre_of_gravity.hpp"
#include "frame/molecular_coordinates.hpp"
#include "frame/moment_tensor.hpp"
#include "frame/transfer_matrix.hpp"
#include "support/record_capture.hpp"

namespace molframe {
namespace {

using Axes = std::array<float, 9>;
const float nan = std::numeric_limits<float>::quiet_NaN();
const float justAboveOne = std::nextafter(1.0f, 2.0f);  // 1.0000001

/// Bit patterns, so that NaN components compare equal to NaN.
std::array<uint32_t, 9> bitsOf(const Axes& axes) {
    std::array<uint32_t, 9> bits{};
    for (std::size_t i = 0; i < 9; ++i) bits[i] = std::bit_cast<uint32_t>(axes[i]);
    return bits;
}

struct ReplacementCase {
    const char* name;
    Axes before;  // VL, VS, VV as columns
    Axes after;
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const ReplacementCase& row, std::ostream* out) {
    *out << row.name;
}

class ReplaceUnusableAxes : public ::testing::TestWithParam<ReplacementCase> {};

TEST_P(ReplaceUnusableAxes, RebuildsFailingAxesInTheOrderVLVSVV) {
    PrincipalAxes axes;
    axes.axis = GetParam().before;
    replaceUnusableAxes(axes);
    EXPECT_EQ(bitsOf(axes.axis), bitsOf(GetParam().after));
}

INSTANTIATE_TEST_SUITE_P(
    Axes, ReplaceUnusableAxes,
    ::testing::Values(
        ReplacementCase{"UnitAxesStay",
                        {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f},
                        {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f}},
        ReplacementCase{"MinusOneStays",
                        {-1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f},
                        {-1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f}},
        // Only the first component is tested.
        ReplacementCase{"NaNBeyondTheFirstComponentStays",
                        {0.5f, nan, 0.0f, 0.0f, 1.0f, nan, 0.0f, nan, nan},
                        {0.5f, nan, 0.0f, 0.0f, 1.0f, nan, 0.0f, nan, nan}},
        // VL = (VS3 VV2 - VS2 VV3, VS3 VV1 - VS1 VV3, VS2 VV1 - VS1 VV2); the cross product
        // VS x VV would be (-3, -2.25, 2).
        ReplacementCase{"FirstComponentNaN",
                        {nan, 0.0f, 0.0f, 0.5f, 2.0f, 3.0f, 0.25f, 5.0f, 6.0f},
                        {3.0f, -2.25f, -2.0f, 0.5f, 2.0f, 3.0f, 0.25f, 5.0f, 6.0f}},
        ReplacementCase{"FirstComponentJustAboveOne",
                        {justAboveOne, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f},
                        {-1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f}},
        // VS = (VV3 VL2 - VV2 VL3, VV3 VL1 - VV1 VL3, VV2 VL1 - VV1 VL2).
        ReplacementCase{"VSAlone",
                        {1.0f, 2.0f, 3.0f, -1.5f, 0.0f, 0.0f, 0.5f, 1.0f, 2.0f},
                        {1.0f, 2.0f, 3.0f, 1.0f, 0.5f, 0.0f, 0.5f, 1.0f, 2.0f}},
        // VV = (VS3 VL2 - VS2 VL3, VS3 VL1 - VS1 VL3, VS2 VL1 - VS1 VL2).
        ReplacementCase{"VVAlone",
                        {1.0f, 2.0f, 3.0f, 0.5f, 1.0f, 2.0f, -2.0f, 0.0f, 0.0f},
                        {1.0f, 2.0f, 3.0f, 0.5f, 1.0f, 2.0f, 1.0f, 0.5f, 0.0f}},
        // VL is rebuilt from VS and VV, then VS from VV and the new VL; VV passes.
        ReplacementCase{"VLThenVS",
                        {nan, 0.0f, 0.0f, 2.0f, 1.0f, 3.0f, 0.5f, 1.0f, 2.0f},
                        {1.0f, -2.5f, -1.5f, -3.5f, 2.75f, 2.25f, 0.5f, 1.0f, 2.0f}},
        // All three fail: VV is rebuilt from the new VS and the new VL.
        ReplacementCase{"AllThree",
                        {nan, 0.0f, 0.0f, 2.0f, 1.0f, 3.0f, -1.5f, 1.0f, 2.0f},
                        {1.0f, -8.5f, -3.5f, -13.5f, -3.25f, -11.75f, 88.5f, -59.0f, -118.0f}}),
    [](const auto& info) { return std::string(info.param.name); });

/// The atoms with the given Cartesian coordinates, selected by the range 1 to all.
struct Molecule {
    std::unique_ptr<AtomTable> atoms = std::make_unique<AtomTable>();
    int32_t count = 0;
    SelectionSpec selection;

    explicit Molecule(const std::vector<std::array<float, 3>>& points) {
        for (const auto& p : points) {
            atoms->cartX[count] = p[0];
            atoms->cartY[count] = p[1];
            atoms->cartZ[count] = p[2];
            ++count;
        }
        selection.rangeFirst = 1;
        selection.rangeLast = count;
    }
};

TEST(FindPrincipalAxes, FourAtomCrossGivesTheAxesOfItsArms) {
    Molecule cross(
        {{1.0f, 0.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}, {0.0f, 2.0f, 0.0f}, {0.0f, -2.0f, 0.0f}});
    MomentTensor tensor = buildMomentTensor(*cross.atoms, cross.count, cross.selection);
    const PrincipalAxes axes = findPrincipalAxes(tensor);
    test::CapturedRecords report;
    writePrincipalAxes(report.file(), axes);
    // Eigenvalues 8, 2 and 0, the last found only to within the tolerance of the bisection
    // (about 3E-8, whose root 0.00017 is the extent of VV).
    EXPECT_EQ(report.text(),
              "\n Molecular orientation vectors\n"
              "   2.82843 A  VL =    0.00000   1.00000   0.00000\n"
              "   1.41421 A  VS =    1.00000   0.00000   0.00000\n"
              "   0.00017 A  VV =    0.00000   0.00000   1.00000\n");
}

TEST(FindPrincipalAxes, ZeroTensorGivesZeroExtentsAndUsableAxes) {
    MomentTensor tensor;
    const PrincipalAxes axes = findPrincipalAxes(tensor);
    for (int32_t k = 0; k < 3; ++k) {
        EXPECT_EQ(axes.extent[k], 0.0f);
        EXPECT_TRUE(std::isfinite(axes.axis[3 * k]));
        EXPECT_LE(std::fabs(axes.axis[3 * k]), 1.0f);
    }
}

/// Rotates a point about Z by 30 degrees and then about X by 50 degrees.
std::array<float, 3> rotated(std::array<float, 3> p) {
    const double c1 = std::cos(0.5235987755982988), s1 = std::sin(0.5235987755982988);
    const double c2 = std::cos(0.8726646259971648), s2 = std::sin(0.8726646259971648);
    const double x = c1 * p[0] - s1 * p[1];
    const double y = s1 * p[0] + c1 * p[1];
    const double z = p[2];
    return {static_cast<float>(x), static_cast<float>(c2 * y - s2 * z),
            static_cast<float>(s2 * y + c2 * z)};
}

struct SymmetricCase {
    const char* name;
    std::vector<std::array<float, 3>> atoms;
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const SymmetricCase& row, std::ostream* out) {
    *out << row.name;
}

std::vector<std::array<float, 3>> tetrahedron() {
    return {{0.0f, 0.0f, 0.0f},
            {0.63f, 0.63f, 0.63f},
            {0.63f, -0.63f, -0.63f},
            {-0.63f, 0.63f, -0.63f},
            {-0.63f, -0.63f, 0.63f}};
}

std::vector<std::array<float, 3>> octahedron() {
    return {{0.0f, 0.0f, 0.0f},  {1.6f, 0.0f, 0.0f}, {-1.6f, 0.0f, 0.0f}, {0.0f, 1.6f, 0.0f},
            {0.0f, -1.6f, 0.0f}, {0.0f, 0.0f, 1.6f}, {0.0f, 0.0f, -1.6f}};
}

std::vector<std::array<float, 3>> rotatedAll(std::vector<std::array<float, 3>> points) {
    for (auto& p : points) p = rotated(p);
    return points;
}

class SymmetricMolecule : public ::testing::TestWithParam<SymmetricCase> {};

// A triple eigenvalue: any three orthogonal axes will do, but they must be finite units.
TEST_P(SymmetricMolecule, GivesThreeFiniteUnitAxesAndFiniteCoordinates) {
    // Placed in a cubic cell of 20 at fractional (0.4, 0.3, 0.6), run through the frame.
    auto atoms = std::make_unique<AtomTable>();
    const auto& points = GetParam().atoms;
    const auto count = static_cast<int32_t>(points.size());
    for (int32_t i = 0; i < count; ++i) {
        atoms->fractX[i] = 0.4f + points[i][0] / 20.0f;
        atoms->fractY[i] = 0.3f + points[i][1] / 20.0f;
        atoms->fractZ[i] = 0.6f + points[i][2] / 20.0f;
    }
    SelectionSpec selection;
    selection.rangeFirst = 1;
    selection.rangeLast = count;
    fillCartesian(buildTransferMatrix({20.0f, 20.0f, 20.0f, 90.0f, 90.0f, 90.0f}), *atoms, count);
    centreAtoms(*atoms, count, centreOfGravity(*atoms, count));
    MomentTensor tensor = buildMomentTensor(*atoms, count, selection);
    const PrincipalAxes axes = findPrincipalAxes(tensor);
    projectAtoms(*atoms, count, axes);

    for (int32_t k = 0; k < 3; ++k) {
        const float* v = axes.axis.data() + 3 * k;
        ASSERT_TRUE(std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]));
        EXPECT_NEAR(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), 1.0f, 1e-5f);
        EXPECT_TRUE(std::isfinite(axes.extent[k]));
    }
    for (int32_t i = 0; i < count; ++i) {
        EXPECT_TRUE(std::isfinite(atoms->molVL[i]) && std::isfinite(atoms->molVS[i]) &&
                    std::isfinite(atoms->molVV[i]))
            << "atom " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Molecules, SymmetricMolecule,
    ::testing::Values(SymmetricCase{"Tetrahedral", tetrahedron()},
                      SymmetricCase{"Octahedral", octahedron()},
                      SymmetricCase{"TetrahedralTurned", rotatedAll(tetrahedron())},
                      SymmetricCase{"OctahedralTurned", rotatedAll(octahedron())}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace molframe
