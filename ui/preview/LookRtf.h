// A line's look as rich text, so the text line takes every character's format in one insertion
// instead of laying out its line again for every coloured run.
#pragma once

#include "PreviewLook.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// Whether rich text brings back exactly these characters: no control characters but tab, and
// nothing that stands for an object.
bool RtfCarriesExactly(std::u16string_view text);

// text with one look a character, run by run; faces are the look's faces. The size is left out:
// the text takes the size it stands in.
std::string LookToRtf(std::u16string_view text, std::span<const CharLook> chars,
                      const std::vector<std::u16string>& faces);

} // namespace quillon
