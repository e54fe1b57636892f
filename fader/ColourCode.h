// Colour codes of tags: the rounding and the digits the table builder writes them with.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace WendrikFaderV2 {

using Components = std::array<double, 3>; // red, green, blue while a fade is computed

inline constexpr std::size_t kCompactTagLength = 20; // <font color=#RRGGBB>
inline constexpr std::size_t kFullTagLength = 22;    // <font color="#RRGGBB">

// The nearest integer, an exact half going to the even neighbour, for |x| < 2^31. Adding
// 1.5 * 2^52 leaves no bits below the units, so the addition itself rounds, to nearest with ties
// to even: the default mode, which the fade's own additions already rely on (the Windows x64
// convention keeps it across calls). The low word of the sum is then the integer.
inline int RoundHalfEven(double x) {
    constexpr double kUnitsOnly = 6755399441055744.0; // 1.5 * 2^52
    const auto low = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(x + kUnitsOnly));
    return static_cast<std::int32_t>(low);
}

// A component as the code shows it, for components within 0..255 as every fade makes them: each
// stays between its segment's two colours. The mask keeps a stray value inside the digit table at
// the cost of one instruction, where a clamp costs four per component of every tag.
inline int RoundedComponent(double component) {
    return RoundHalfEven(component) & 0xFF;
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
