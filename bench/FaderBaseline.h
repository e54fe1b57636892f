// The whole-text fade of an earlier commit, for comparisons within one benchmark run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace FaderBaseline {

std::u16string FadeText(const std::u16string& text, const std::vector<std::int32_t>& colours,
                        bool Wave, bool Compact);

} // namespace FaderBaseline
