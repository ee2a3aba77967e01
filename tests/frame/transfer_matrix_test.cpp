#include "frame/transfer_matrix.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "support/record_capture.hpp"

namespace molframe {
namespace {

struct MatrixBlockCase {
    const char* name;
    CellParameters cell;
    std::string block;
};

/// Names the case by its row name in test listings and failure messages.
void PrintTo(const MatrixBlockCase& row, std::ostream* out) {
    *out << row.name;
}

class TransferMatrixBlock : public ::testing::TestWithParam<MatrixBlockCase> {};

TEST_P(TransferMatrixBlock, WritesEachElementInItsMatrixPosition) {
    test::CapturedRecords report;
    writeTransferMatrix(report.file(), buildTransferMatrix(GetParam().cell));
    EXPECT_EQ(report.text(), GetParam().block);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, TransferMatrixBlock,
    ::testing::Values(
        // 90 degrees in single precision lies above pi/2: the cosines are tiny negatives.
        MatrixBlockCase{"RightAngles",
                        {10.0f, 12.0f, 14.0f, 90.0f, 90.0f, 90.0f},
                        "\n\n TRANSFER MATRIX\n"
                        "     10.00000  -0.00000  -0.00000\n"
                        "               12.00000  -0.00000\n"
                        "                         14.00000\n"},
        MatrixBlockCase{"Monoclinic",
                        {10.0f, 12.0f, 14.0f, 90.0f, 100.0f, 90.0f},
                        "\n\n TRANSFER MATRIX\n"
                        "     10.00000  -0.00000  -2.43107\n"
                        "               12.00000  -0.00000\n"
                        "                         13.78731\n"},
        MatrixBlockCase{"LengthTooWide",
                        {10000.0f, 12.0f, 14.0f, 90.0f, 90.0f, 90.0f},
                        "\n\n TRANSFER MATRIX\n"
                        "   **********  -0.00000  -0.00000\n"
                        "               12.00000  -0.00000\n"
                        "                         14.00000\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TransferMatrix, RightAnglesKeepTheDiagonalExactAndTheOffDiagonalTinyNegative) {
    const TransferMatrix t = buildTransferMatrix({10.0f, 12.0f, 14.0f, 90.0f, 90.0f, 90.0f});
    EXPECT_EQ(t.t11, 10.0f);
    EXPECT_EQ(t.t22, 12.0f);
    EXPECT_EQ(t.t33, 14.0f);
    // cos(1.5707964) rounded to single is -4.371139E-8.
    EXPECT_EQ(t.t12, 12.0f * -4.371139e-8f);
    EXPECT_EQ(t.t13, 14.0f * -4.371139e-8f);
    EXPECT_LT(t.t23, 0.0f);
    EXPECT_GT(t.t23, -1.0e-6f);
}

TEST(TransferMatrix, ImpossibleAnglesGiveNaNInTheThirdRowOnly) {
    const TransferMatrix t = buildTransferMatrix({10.0f, 12.0f, 14.0f, 150.0f, 150.0f, 150.0f});
    EXPECT_TRUE(std::isfinite(t.t12));
    EXPECT_TRUE(std::isfinite(t.t13));
    EXPECT_TRUE(std::isfinite(t.t22));
    EXPECT_TRUE(std::isnan(t.t33));
}

/// A table of one atom at the fractional coordinates, converted with the matrix.
AtomTable cartesianOfOneAtom(const TransferMatrix& t, float x, float y, float z) {
    AtomTable atoms;
    atoms.fractX[0] = x;
    atoms.fractY[0] = y;
    atoms.fractZ[0] = z;
    fillCartesian(t, atoms, 1);
    return atoms;
}

TEST(FillCartesian, MatchesTheCellGeometry) {
    // Hexagonal cell: a = b = 4, c = 6, gamma = 120.
    const TransferMatrix t = buildTransferMatrix({4.0f, 4.0f, 6.0f, 90.0f, 90.0f, 120.0f});
    const AtomTable atoms = cartesianOfOneAtom(t, 0.5f, 0.25f, 0.5f);
    EXPECT_NEAR(atoms.cartX[0], 0.5 * 4 - 0.25 * 4 * 0.5, 1e-6);
    EXPECT_NEAR(atoms.cartY[0], 0.25 * 4 * std::sqrt(3.0) / 2, 1e-6);
    EXPECT_NEAR(atoms.cartZ[0], 3.0, 1e-6);
}

TEST(FillCartesian, AtomInTheXYPlaneHasZZeroAndYFromT22Alone) {
    const TransferMatrix t = buildTransferMatrix({10.0f, 12.0f, 14.0f, 80.0f, 100.0f, 110.0f});
    const AtomTable atoms = cartesianOfOneAtom(t, 0.3f, 0.7f, 0.0f);
    EXPECT_EQ(atoms.cartY[0], 0.7f * t.t22);
    EXPECT_EQ(atoms.cartZ[0], 0.0f);
}

TEST(FillCartesian, AddsTheFirstTwoTermsOfXBeforeTheThird) {
    TransferMatrix t;
    t.t11 = 1.0f;
    t.t12 = 1.0e8f;
    t.t13 = -1.0e8f;
    const AtomTable atoms = cartesianOfOneAtom(t, 1.0f, 1.0f, 1.0f);
    // (1 + 1E8) rounds to 1E8 before -1E8 is added; the other order would give 1.
    EXPECT_EQ(atoms.cartX[0], 0.0f);
}

TEST(FillCartesian, ConvertsExactlyTheAtomsOfTheTable) {
    const TransferMatrix t = buildTransferMatrix({10.0f, 12.0f, 14.0f, 90.0f, 90.0f, 90.0f});
    AtomTable atoms;
    for (int32_t i = 0; i < 3; ++i) {
        atoms.fractX[i] = 0.5f;
        atoms.fractY[i] = 0.5f;
        atoms.fractZ[i] = 0.5f;
    }
    fillCartesian(t, atoms, 2);
    EXPECT_EQ(atoms.cartZ[0], 7.0f);
    EXPECT_EQ(atoms.cartZ[1], 7.0f);
    EXPECT_EQ(atoms.cartZ[2], 0.0f);
}

}  // namespace
}  // namespace molframe
