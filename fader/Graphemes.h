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

// Whether no two neighbouring units of text join, surrogate halves aside: true for most lines of
// a single script, false for any text with a pair, an accent typed after its letter or CR LF.
// One table look-up per unit, where walking the clusters takes two and the rules.
bool EveryClusterIsOneUnit(std::u16string_view text);

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
