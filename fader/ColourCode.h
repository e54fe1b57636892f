// Colour codes and font tags shared by the table builder and its tests.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
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

// The nearest integer, an exact half going to the even neighbour; independent of the FPU rounding
// mode and cheaper than a library call. x - whole is exact for the magnitudes used here, and for a
// non-negative double the order of the bit patterns is the order of the values, so "fraction above
// a half, or a half and whole odd" is one integer comparison: no branch to mispredict.
inline int RoundHalfEven(double x) {
    if (x < 0) // never in a fade; half to even is symmetric
        return -RoundHalfEven(-x);
    const int whole = static_cast<int>(x); // toward zero: the floor for x >= 0
    const double fraction = x - whole;
    const std::uint64_t odd = static_cast<std::uint64_t>(whole & 1);
    return whole +
           (std::bit_cast<std::uint64_t>(fraction) + odd > std::bit_cast<std::uint64_t>(0.5));
}

// A component as the code shows it. Faded components never leave their segment's endpoints; the
// clamp only guards the digits.
inline int RoundedComponent(double component) {
    return std::clamp(RoundHalfEven(component), 0, 255);
}

// The two uppercase hexadecimal digits of every rounded component.
inline constexpr auto kHexPairs = [] {
    constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::array<std::array<char16_t, 2>, 256> pairs{};
    for (std::size_t value = 0; value < pairs.size(); ++value)
        pairs[value] = {kDigits[value >> 4], kDigits[value & 0xF]};
    return pairs;
}();

} // namespace WendrikFaderV2
