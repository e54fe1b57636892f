// UTF-16 code units: the two halves of a character beyond U+FFFF, which text must never be cut
// between.
#pragma once

#include <cstddef>
#include <string_view>

namespace utf16 {

constexpr bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
constexpr bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Whether position i of text lies between the two halves of one character.
template <class Char> constexpr bool SplitsPair(std::basic_string_view<Char> text, std::size_t i) {
    return i > 0 && i < text.size() && IsHighSurrogate(text[i - 1]) && IsLowSurrogate(text[i]);
}

} // namespace utf16
