#include "frame/centre_of_gravity.hpp"

namespace molframe {

namespace {

/// Squared distance from the origin beyond which a centre is moved to.
constexpr float nearOriginSquared = 0.1f;

}  // namespace

CentrePoint centreOfGravity(const AtomTable& atoms, int32_t atomCount) {
    float sumX = 0.0f;
    float sumY = 0.0f;
    float sumZ = 0.0f;
    for (int32_t i = 0; i < atomCount; ++i) {
        sumX = sumX + atoms.cartX[i];
        sumY = sumY + atoms.cartY[i];
        sumZ = sumZ + atoms.cartZ[i];
    }
    // With no atoms this is 0/0; the NaN fails the test below and the centre is the origin.
    const float count = static_cast<float>(atomCount);
    const CentrePoint centre{sumX / count, sumY / count, sumZ / count};
    const float r2 = (centre.x * centre.x + centre.y * centre.y) + centre.z * centre.z;
    if (!(r2 > nearOriginSquared)) return CentrePoint{};
    return centre;
}

void writeCentre(RecordFile& report, const CentrePoint& centre) {
    report.write("(/,' CENTER OF GRAVITY= (',3F10.5,'  )')", centre.x, centre.y, centre.z);
}

void centreAtoms(AtomTable& atoms, int32_t atomCount, const CentrePoint& centre) {
    for (int32_t i = 0; i < atomCount; ++i) {
        atoms.cartX[i] = atoms.cartX[i] - centre.x;
        atoms.cartY[i] = atoms.cartY[i] - centre.y;
        atoms.cartZ[i] = atoms.cartZ[i] - centre.z;
    }
}

}  // namespace molframe
