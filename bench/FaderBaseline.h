// The whole-text fade and the table of an earlier commit, for comparisons within one benchmark
// run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace FaderBaseline {

std::u16string FadeText(const std::u16string& text, const std::vector<std::int32_t>& colours,
                        bool Wave, bool Compact);
// Builds the earlier fader's table and returns its first tag.
const char16_t* BuildFadeTable(const std::vector<std::int32_t>& colours, int n, bool Compact);

} // namespace FaderBaseline
