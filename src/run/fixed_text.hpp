// Fixed-width texts: labels, type symbols and value texts, left-aligned and blank-padded.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace molframe {

/// A text of exactly W characters; compared byte for byte over its full width.
template <std::size_t W>
using FixedText = std::array<char, W>;

/// A label or a type symbol of the atom tables.
using Label = FixedText<4>;
/// A value text of the structure file before conversion.
using ValueText = FixedText<16>;

/// W blanks.
template <std::size_t W>
constexpr FixedText<W> blankText() {
    FixedText<W> text{};
    text.fill(' ');
    return text;
}

/// The text cut to W characters or blank-padded to W.
template <std::size_t W>
constexpr FixedText<W> toFixedText(std::string_view source) {
    FixedText<W> text = blankText<W>();
    for (std::size_t i = 0; i < W && i < source.size(); ++i) text[i] = source[i];
    return text;
}

/// All W characters, trailing blanks included.
template <std::size_t W>
constexpr std::string_view asView(const FixedText<W>& text) {
    return std::string_view(text.data(), W);
}

}  // namespace molframe
