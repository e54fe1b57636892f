// The built-in fades. Their names and colour codes are fixed, so users can share them.
#pragma once

#include "Fade.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace quillon::fades {

struct BuiltInFade {
    std::u16string_view name;
    std::array<Colour, kMaxColours> stops;
    std::size_t count;

    std::span<const Colour> Colours() const { return {stops.data(), count}; }
};

// In menu order. Their names are ASCII (LookAlikeKey relies on it).
std::span<const BuiltInFade> Gallery();
const BuiltInFade* FindBuiltIn(std::u16string_view name); // by its exact name

// The built-in fade a name could pass for: the same name, or one that differs from it only in
// case or in characters no one sees (LookAlikeKey), such as "OCEAN" or "Ocean" U+200B.
const BuiltInFade* BuiltInLookingLike(std::u16string_view name);

} // namespace quillon::fades
