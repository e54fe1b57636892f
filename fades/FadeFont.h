// The rule for a fade's font: a face name the font box could hold and Send can post as it is.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace quillon::fades {

// LF_FACESIZE less its terminating null: the longest face name Windows takes, in UTF-16 units.
inline constexpr std::size_t kMaxFontUnits = 31;

// What may stand in a font name: any character but the controls (Cc), the format characters
// (Cf, such as U+200B or the bidi controls) and the six that make up a tag's syntax, so that a
// font in "<font face=" font ">" can neither end the tag, open another, quote, start an
// attribute nor an entity: < > " ' = &.
bool MayStandInFontName(char32_t c);

enum class FontProblem {
    Empty,
    TooLong,      // more than kMaxFontUnits units
    BadCharacter, // one that may not stand in a font name, or half of a surrogate pair
};

// Nothing when the font may be used, exactly as given (it is not trimmed).
std::optional<FontProblem> CheckFont(std::u16string_view font);

} // namespace quillon::fades
