#include "Characters.h"

#include "GraphemeTables.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace quillon::fades {

namespace {

namespace tables = WendrikFaderV2::GraphemeTables;

template <std::size_t N> bool InRanges(const tables::Range (&ranges)[N], char32_t c) {
    const auto after =
        std::upper_bound(std::begin(ranges), std::end(ranges), c,
                         [](char32_t v, const tables::Range& r) { return v < r.first; });
    return after != std::begin(ranges) && c <= std::prev(after)->last;
}

} // namespace

bool IsControlCharacter(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool IsFormatCharacter(char32_t c) {
    return InRanges(tables::kFormat, c);
}

bool IsDirectionControl(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

bool IsInvisible(char32_t c) {
    return IsFormatCharacter(c) || InRanges(tables::kDefaultIgnorable, c);
}

} // namespace quillon::fades
