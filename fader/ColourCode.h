// Colour codes and font tags shared by the table builder and its tests.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace WendrikFaderV2 {

using Components = std::array<double, 3>; // red, green, blue while a fade is computed

inline constexpr std::size_t kCompactTagLength = 20; // <font color=#RRGGBB>
inline constexpr std::size_t kFullTagLength = 22;    // <font color="#RRGGBB">
inline constexpr std::size_t kMaxTagLength = kFullTagLength;

// "#RRGGBB", each component rounded to the nearest integer with halves to even.
std::u16string ColourCode(const Components& rgb);

// Writes the font tag into out (room for kMaxTagLength characters); returns its length.
std::size_t WriteFontTag(char16_t* out, const Components& rgb, bool Compact);

} // namespace WendrikFaderV2
