// Which characters of the text line to format: what still shows its look after an edit, what is
// in view, and never half of a character.
#pragma once

#include "PreviewLook.h"

#include <cstddef>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon {

// What the characters of after show, given that the characters of before showed shown: the
// looks of the characters an edit left in place carry over, every other one is unknown. Where the
// edit is ambiguous, as with a character typed beside the same character, only what every
// reading of it agrees on is kept.
std::vector<CharLook> CarryOver(std::u16string_view before, std::u16string_view after,
                                std::span<const CharLook> shown, const CharLook& unknown);

// [from, to) widened so that neither end falls between the two halves of one character.
std::pair<std::size_t, std::size_t> WholeCharacters(std::u16string_view text, std::size_t from,
                                                    std::size_t to);

// The characters from the one at one edge of the box to the one at the other, in whichever order
// the line puts them (right to left, the left edge's comes last), and margin more either side; as
// [first, last) with first <= last <= text.size(), and whole characters.
std::pair<std::size_t, std::size_t> CharactersInView(std::u16string_view text, std::size_t oneEdge,
                                                     std::size_t otherEdge, std::size_t margin);

} // namespace quillon
