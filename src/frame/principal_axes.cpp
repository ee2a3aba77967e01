#include "frame/principal_axes.hpp"

#include <array>
#include <cmath>
#include <cstdint>

#include "eigen/eigrs.hpp"

namespace molframe {

namespace {

/// Whether the axis in the given column may be used as EIGRS returned it: its first
/// component lies within [-1, 1]. NaN fails both comparisons; the other components are
/// not looked at.
bool isUsableAxis(const PrincipalAxes& axes, int32_t column) {
    const float first = axes.axis[tensorPosition(1, column)];
    return first >= -1.0f && first <= 1.0f;
}

/// Rebuilds axis `target` from axes p and q: (P3 Q2 - P2 Q3, P3 Q1 - P1 Q3, P2 Q1 - P1 Q2).
/// Not a cross product: against p x q the first and third components have their signs
/// reversed.
void rebuildAxis(PrincipalAxes& axes, int32_t target, int32_t p, int32_t q) {
    const auto& a = axes.axis;
    const float p1 = a[tensorPosition(1, p)];
    const float p2 = a[tensorPosition(1, p) + 1];
    const float p3 = a[tensorPosition(1, p) + 2];
    const float q1 = a[tensorPosition(1, q)];
    const float q2 = a[tensorPosition(1, q) + 1];
    const float q3 = a[tensorPosition(1, q) + 2];
    axes.axis[tensorPosition(1, target)] = p3 * q2 - p2 * q3;
    axes.axis[tensorPosition(1, target) + 1] = p3 * q1 - p1 * q3;
    axes.axis[tensorPosition(1, target) + 2] = p2 * q1 - p1 * q2;
}

/// Which two axes rebuild each one, in the order of the tests.
struct Rebuild {
    int32_t target;
    int32_t p;
    int32_t q;
};
constexpr std::array<Rebuild, 3> rebuildOrder{{
    {1, 2, 3},  // VL from VS and VV
    {2, 3, 1},  // VS from VV and VL
    {3, 2, 1},  // VV from VS and VL
}};

}  // namespace

PrincipalAxes findPrincipalAxes(MomentTensor& tensor) {
    std::array<float, 3 * 6> WK{};
    std::array<int32_t, 3> IW{};
    std::array<float, 3> E{};
    PrincipalAxes axes;
    float EPS = 1.0E-8f;
    EIGRS(tensor.element.data(), 3, 3, 3, 3, EPS, WK.data(), IW.data(), E.data(), axes.axis.data());
    for (int32_t k = 0; k < 3; ++k) {
        // A sum of squares has no negative eigenvalue but for rounding.
        if (E[k] < 0.0f) E[k] = 0.0f;
        axes.extent[k] = std::sqrt(E[k]);
    }
    replaceUnusableAxes(axes);
    return axes;
}

void replaceUnusableAxes(PrincipalAxes& axes) {
    for (const Rebuild& step : rebuildOrder) {
        if (!isUsableAxis(axes, step.target)) rebuildAxis(axes, step.target, step.p, step.q);
    }
}

void writePrincipalAxes(RecordFile& report, const PrincipalAxes& axes) {
    const auto& a = axes.axis;
    const auto& extent = axes.extent;
    report.write(
        "(/,' Molecular orientation vectors',                          /,F10.5,' A  VL = ',"
        "3F10.5)",
        extent[0], a[0], a[1], a[2]);
    report.write("(F10.5,' A  VS = ',3F10.5)", extent[1], a[3], a[4], a[5]);
    report.write("(F10.5,' A  VV = ',3F10.5)", extent[2], a[6], a[7], a[8]);
}

}  // namespace molframe
