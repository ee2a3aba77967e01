#include "frame/molecular_coordinates.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "support/record_capture.hpp"

namespace molframe {
namespace {

/// VL along Y, VS along X, VV along Z.
PrincipalAxes swappedXY() {
    PrincipalAxes axes;
    axes.axis = {0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    return axes;
}

void placeAtom(AtomTable& atoms, int32_t row, int32_t group, const char* label, const char* type,
               std::array<float, 3> cart, int32_t flag) {
    atoms.group[row] = group;
    atoms.label[row] = toFixedText<4>(label);
    atoms.typeSymbol[row] = toFixedText<4>(type);
    atoms.cartX[row] = cart[0];
    atoms.cartY[row] = cart[1];
    atoms.cartZ[row] = cart[2];
    atoms.selectFlag[row] = flag;
}

const std::string heading = "\n Molecular Coordinates\n       VL//      VS//      VV//\n";

TEST(ProjectAtoms, ExpressesEveryAtomAlongTheAxes) {
    AtomTable atoms;
    placeAtom(atoms, 0, 1, "O1", "O", {-0.25f, 1.5f, 0.0f}, 0);
    placeAtom(atoms, 1, 1, "O2", "O", {2.0f, -3.0f, 0.5f}, 0);
    projectAtoms(atoms, 2, swappedXY());
    EXPECT_EQ(atoms.molVL[0], 1.5f);
    EXPECT_EQ(atoms.molVS[0], -0.25f);
    EXPECT_EQ(atoms.molVV[0], 0.0f);
    EXPECT_EQ(atoms.molVL[1], -3.0f);
    EXPECT_EQ(atoms.molVS[1], 2.0f);
    EXPECT_EQ(atoms.molVV[1], 0.5f);
}

TEST(ProjectAtoms, AddsTheFirstTwoProductsBeforeTheThird) {
    // Every axis (1, 1, 1): (X + Y) rounds before Z is added, giving 0 rather than 1.
    PrincipalAxes axes;
    axes.axis.fill(1.0f);
    AtomTable atoms;
    placeAtom(atoms, 0, 1, "C1", "C", {1.0f, 1.0e8f, -1.0e8f}, 0);
    projectAtoms(atoms, 1, axes);
    EXPECT_EQ(atoms.molVL[0], 0.0f);
    EXPECT_EQ(atoms.molVS[0], 0.0f);
    EXPECT_EQ(atoms.molVV[0], 0.0f);
}

TEST(ProjectAtoms, UsesTheAxesUnscaled) {
    PrincipalAxes axes;
    axes.axis = {2.0f, 0.0f, 0.0f, 0.0f, 3.0f, 0.0f, 0.0f, 0.0f, -4.0f};
    AtomTable atoms;
    placeAtom(atoms, 0, 1, "C1", "C", {1.0f, 1.0f, 1.0f}, 0);
    projectAtoms(atoms, 1, axes);
    EXPECT_EQ(atoms.molVL[0], 2.0f);
    EXPECT_EQ(atoms.molVS[0], 3.0f);
    EXPECT_EQ(atoms.molVV[0], -4.0f);
}

TEST(MolecularCoordinates, ReportAndXyzFileListEveryAtomInTableOrder) {
    AtomTable atoms;
    placeAtom(atoms, 0, 3, "C1", "C", {-0.25f, 1.5f, 0.0f}, 1);
    placeAtom(atoms, 1, 3, "C22", "C", {12.0f, -7.125f, -0.5f}, 0);
    placeAtom(atoms, 2, 4, "Cl1A", "Cl1-", {-99.9999f, 1000.0f, 0.0f}, 9);
    projectAtoms(atoms, 3, swappedXY());
    test::CapturedRecords report("at.dat");
    test::CapturedRecords xyz("mc.xyz");

    writeMolecularCoordinates(report.file(), atoms, 3);
    writeXyzFile(xyz.file(), atoms, 3);

    EXPECT_EQ(report.text(), heading +
                                 "   3    1.50000  -0.25000   0.00000    C1  C    1\n"
                                 "   3   -7.12500  12.00000  -0.50000    C22 C    0\n"
                                 "   4 1000.00000 -99.99990   0.00000    Cl1ACl1- 9\n");
    EXPECT_EQ(xyz.text(),
              "  3\n"
              "\n"
              "C      1.5000000  -0.2500000   0.0000000\n"
              "C     -7.1250000  12.0000000  -0.5000000\n"
              "Cl1-1000.0000000 -99.9999008   0.0000000\n");
}

TEST(MolecularCoordinates, NoAtomsGiveTheHeadingAndTheCountZero) {
    AtomTable atoms;
    test::CapturedRecords report("at.dat");
    test::CapturedRecords xyz("mc.xyz");
    writeMolecularCoordinates(report.file(), atoms, 0);
    writeXyzFile(xyz.file(), atoms, 0);
    EXPECT_EQ(report.text(), heading);
    EXPECT_EQ(xyz.text(), "  0\n\n");
}

}  // namespace
}  // namespace molframe
