#include "frame/moment_tensor.hpp"

#include "prep/selected_atoms.hpp"

namespace molframe {

namespace {

/// Position of element (row, column), counting from 1, in a matrix of leading dimension 3.
constexpr int32_t at(int32_t row, int32_t column) {
    return (row - 1) + 3 * (column - 1);
}

}  // namespace

MomentTensor buildMomentTensor(const AtomTable& atoms, int32_t atomCount,
                               const SelectionSpec& selection) {
    MomentTensor tensor;
    auto& m = tensor.element;
    forEachSelectedAtom(selection, atoms, atomCount, [&](int32_t atom) {
        const float x = atoms.cartX[atom - 1];
        const float y = atoms.cartY[atom - 1];
        const float z = atoms.cartZ[atom - 1];
        // Each product rounded on its own, then added to the running element.
        m[at(1, 1)] = m[at(1, 1)] + x * x;
        m[at(1, 2)] = m[at(1, 2)] + y * x;
        m[at(1, 3)] = m[at(1, 3)] + z * x;
        m[at(2, 2)] = m[at(2, 2)] + y * y;
        m[at(2, 3)] = m[at(2, 3)] + z * y;
        m[at(3, 3)] = m[at(3, 3)] + z * z;
        m[at(2, 1)] = m[at(1, 2)];
        m[at(3, 1)] = m[at(1, 3)];
        m[at(3, 2)] = m[at(2, 3)];
    });
    return tensor;
}

void writeMomentTensor(RecordFile& report, const MomentTensor& tensor) {
    const auto& m = tensor.element;
    report.write("(/,' Molecular moments')");
    for (int32_t column = 1; column <= 3; ++column) {
        report.write("(8F10.5)", m[at(1, column)], m[at(2, column)], m[at(3, column)]);
    }
}

}  // namespace molframe
