// The table builder's writers, for the fade that writes its tags straight into its result.
#pragma once

#include "WendrikFaderV2.h"

namespace WendrikFaderV2 {

// Sets FadeTag to the table BuildFadeTable would build, written only when it is first read.
void DeferFadeTable(const std::vector<Colour>& colours, int n, bool Compact);

// Writes the compact fade of a line without breaks or surrogates: for each character its tag and
// the character itself, text.size() * (kCompactTagLength + 1) characters in all.
void WriteCompactFade(char16_t* out, const std::vector<Colour>& colours, const std::u16string& text);

} // namespace WendrikFaderV2
