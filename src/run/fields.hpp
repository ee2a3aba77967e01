// One field of a record: Fw.d and Iw as written, integers and reals as read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace molframe {

/// Fw.d: rounded to d decimals (ties to even on the exact value), right-aligned in w columns,
/// a zero before the point only where there is room, w asterisks when it does not fit;
/// a negative value that rounds to zero keeps its minus; Infinity/Inf and NaN spelled out.
std::string formatFixed(float value, int32_t w, int32_t d);

/// Iw: right-aligned in w columns, w asterisks when it does not fit.
std::string formatInteger(int32_t value, int32_t w);

/// Reads one real with Fw.d from the first w characters of text (blanks ignored; a mantissa
/// without a point is read as written, so d never changes a value); false and target
/// untouched on a bad field.
bool readReal(std::string_view text, int32_t w, int32_t d, float& target);

/// An optionally signed digit string as an int32; nothing for any other text or an overflow.
std::optional<int32_t> parseInteger(std::string_view text);

}  // namespace molframe
