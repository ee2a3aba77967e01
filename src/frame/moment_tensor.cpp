#include "frame/moment_tensor.hpp"

#include "prep/selected_atoms.hpp"

namespace molframe {

MomentTensor buildMomentTensor(const AtomTable& atoms, int32_t atomCount,
                               const SelectionSpec& selection) {
    MomentTensor tensor;
    auto& m = tensor.element;
    forEachSelectedAtom(selection, atoms, atomCount, [&](int32_t atom) {
        const float x = atoms.cartX[atom - 1];
        const float y = atoms.cartY[atom - 1];
        const float z = atoms.cartZ[atom - 1];
        // Each product rounded on its own, then added to the running element.
        m[tensorPosition(1, 1)] = m[tensorPosition(1, 1)] + x * x;
        m[tensorPosition(1, 2)] = m[tensorPosition(1, 2)] + y * x;
        m[tensorPosition(1, 3)] = m[tensorPosition(1, 3)] + z * x;
        m[tensorPosition(2, 2)] = m[tensorPosition(2, 2)] + y * y;
        m[tensorPosition(2, 3)] = m[tensorPosition(2, 3)] + z * y;
        m[tensorPosition(3, 3)] = m[tensorPosition(3, 3)] + z * z;
        m[tensorPosition(2, 1)] = m[tensorPosition(1, 2)];
        m[tensorPosition(3, 1)] = m[tensorPosition(1, 3)];
        m[tensorPosition(3, 2)] = m[tensorPosition(2, 3)];
    });
    return tensor;
}

void writeMomentTensor(RecordFile& report, const MomentTensor& tensor) {
    const auto& m = tensor.element;
    report.write("(/,' Molecular moments')");
    for (int32_t column = 1; column <= 3; ++column) {
        report.write("(8F10.5)", m[tensorPosition(1, column)], m[tensorPosition(2, column)],
                     m[tensorPosition(3, column)]);
    }
}

}  // namespace molframe
