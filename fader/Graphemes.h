// Extended grapheme clusters: the characters a reader sees as one, such as a letter with its
// accents, an emoji with its skin tone or a flag's two letters.
#pragma once

#include "GraphemeTables.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace WendrikFaderV2 {

// The end of the cluster that starts at `start`, a boundary of text: the index of its last
// 16-bit unit plus one. Walking from 0 to text.size() by it visits every boundary.
std::size_t ScanCluster(std::u16string_view text, std::size_t start);

// Whether a 16-bit unit never joins a neighbour into one cluster (CR before LF aside): a
// character of the 16-bit range whose break value is Other or a control, as most letters of most
// scripts are.
inline bool StandsAlone(char16_t c) {
    return (GraphemeTables::kStandsAlone[c / 64] >> (c % 64)) & 1;
}

inline std::size_t ClusterEnd(std::u16string_view text, std::size_t start) {
    constexpr char32_t kJoiner = GraphemeTables::kFirstJoiner;
    if (start + 1 >= text.size())
        return text.size();
    const char16_t c = text[start], next = text[start + 1];
    if (c < kJoiner && next < kJoiner && !(c == u'\r' && next == u'\n'))
        return start + 1;
    return ScanCluster(text, start);
}

} // namespace WendrikFaderV2
