// Tolerant numbers: value texts of the structure file, with or without a standard uncertainty
// in parentheses, read by a cascade of fixed-width reads (the TolerantNumberReader).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "run/fixed_text.hpp"

namespace molframe {

/// One fixed-width read Fw.d of a value text.
struct RealFormat {
    int32_t width = 0;
    int32_t decimals = 0;
};

/// The formats of a cascade, in the order in which they are tried.
using Cascade = std::span<const RealFormat>;

// Each cascade tries the widths 7, 6 and 5 first, so a number part of 5 to 7 characters in
// front of its "(" is read whole and a longer one is cut to 7 characters. The widths 4 to 1
// come last, so a short number part ("5.43(1)", "90(1)") is read instead of being lost.
// A mantissa without a point is read as written, so the decimals of a format never change a
// value; they are kept as the classic cascades have them.
inline constexpr std::array<RealFormat, 9> lengthFormats{
    {{7, 4}, {6, 4}, {6, 3}, {5, 3}, {5, 2}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}};
inline constexpr std::array<RealFormat, 7> angleFormats{
    {{7, 3}, {6, 3}, {5, 2}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}};
inline constexpr std::array<RealFormat, 9> coordinateFormats{
    {{7, 5}, {6, 4}, {6, 3}, {5, 3}, {7, 6}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}};

/// Cell lengths a, b, c.
inline constexpr Cascade lengthCascade{lengthFormats};
/// Cell angles alpha, beta, gamma.
inline constexpr Cascade angleCascade{angleFormats};
/// Fractional coordinates x, y, z of the atom sites.
inline constexpr Cascade coordinateCascade{coordinateFormats};

/// Tries the cascade's formats on the text in order; the first that reads stores its value
/// and gives true. False with the target untouched when no format reads the text.
bool readTolerantNumber(const ValueText& text, Cascade cascade, float& target);

}  // namespace molframe
