// Edit-descriptor lists: "(I4,X,3F10.5,4X,A4,X,A4)" parsed into one descriptor per field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace molframe {

/// One edit descriptor; repeat counts are expanded, so "3F10.5" gives three entries.
struct EditDescriptor {
    enum class Kind { text, integer, real, skip, textLiteral, slash };
    Kind kind = Kind::textLiteral;
    int32_t width = 0;     ///< Aw, Iw, Fw.d: w (-1 for A without width); nX: n
    int32_t decimals = 0;  ///< Fw.d: d
    std::string literal;   ///< quoted or nH text

    bool takesItem() const {
        return kind == Kind::text || kind == Kind::integer || kind == Kind::real;
    }
};

/// The descriptors of a list such as "(/,10I5)"; blanks outside quotes are ignored.
/// Throws std::invalid_argument for a list this layer does not know (a programming error).
std::vector<EditDescriptor> parseEditDescriptors(std::string_view format);

}  // namespace molframe
