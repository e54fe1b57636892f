// The skin's pixel font: capitals and digits, seven rows high, widths varying ("I" is narrow).
#pragma once

#include <array>
#include <string_view>

namespace quillon::art {

constexpr int kFontRows = 7;
inline constexpr std::array kBarRows{0, 3,
                                     6}; // rows holding the horizontal strokes of most capitals
inline constexpr std::array kSideRows{1, 5, 2, 4};
constexpr int kWordGap = 3; // a space is worth this many letter gaps

struct Glyph {
    char letter;
    std::array<std::string_view, kFontRows> rows;
    int Columns() const { return static_cast<int>(rows[0].size()); }
};

// The glyph of a capital or digit the artwork uses; a blank glyph for anything else.
const Glyph& GlyphOf(char letter);

} // namespace quillon::art
