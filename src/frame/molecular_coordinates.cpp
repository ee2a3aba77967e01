#include "frame/molecular_coordinates.hpp"

namespace molframe {

namespace {

/// One centred atom projected on the axis in column 1, 2 or 3: (A1 X + Y A2) + Z A3.
float projectOnAxis(const PrincipalAxes& axes, int32_t column, float x, float y, float z) {
    const float* a = axes.axis.data() + tensorPosition(1, column);
    return (a[0] * x + y * a[1]) + z * a[2];
}

}  // namespace

void projectAtoms(AtomTable& atoms, int32_t atomCount, const PrincipalAxes& axes) {
    for (int32_t i = 0; i < atomCount; ++i) {
        const float x = atoms.cartX[i];
        const float y = atoms.cartY[i];
        const float z = atoms.cartZ[i];
        atoms.molVL[i] = projectOnAxis(axes, 1, x, y, z);
        atoms.molVS[i] = projectOnAxis(axes, 2, x, y, z);
        atoms.molVV[i] = projectOnAxis(axes, 3, x, y, z);
    }
}

void writeMolecularCoordinates(RecordFile& report, const AtomTable& atoms, int32_t atomCount) {
    report.write(R"fmt((/," Molecular Coordinates",/,7X,"VL//",6X,"VS//",6X,"VV//"))fmt");
    for (int32_t i = 0; i < atomCount; ++i) {
        report.write("(I4,1X,3F10.5,4X,2A4,I2)", atoms.group[i], atoms.molVL[i], atoms.molVS[i],
                     atoms.molVV[i], atoms.label[i], atoms.typeSymbol[i], atoms.selectFlag[i]);
    }
}

void writeXyzFile(RecordFile& xyz, const AtomTable& atoms, int32_t atomCount) {
    xyz.write("(I3,/)", atomCount);
    for (int32_t i = 0; i < atomCount; ++i) {
        xyz.write("(A4,3F12.7)", atoms.typeSymbol[i], atoms.molVL[i], atoms.molVS[i],
                  atoms.molVV[i]);
    }
}

}  // namespace molframe
