// The rules for a fade's name: 1 to 40 characters of any script, spaces at both ends trimmed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::fades {

inline constexpr std::size_t kMaxNameLength = 40; // characters, a surrogate pair counting one

// Without the white space at both ends (any script's spaces, tabs and line ends).
std::u16string TrimName(std::u16string_view name);

enum class NameProblem {
    Empty,
    TooLong,
    // A control character, a line or paragraph separator, a bidi control (IsDirectionControl) or
    // half of a surrogate pair. Other format characters may stand in a name: U+200D joins emoji.
    BadCharacter,
};

// Nothing when the trimmed name may be used.
std::optional<NameProblem> CheckName(std::u16string_view trimmed);

// A name as two names are told apart by eye: without the characters no one sees (IsInvisible:
// U+200B, U+200D, U+00AD, U+FEFF, variation selectors, ...) and with its case folded. The fold is
// exact for what it is used for, a comparison with the gallery's ASCII names: besides A-Z only
// U+017F (long s) and U+212A (Kelvin sign) fold into ASCII in Unicode's simple case folding; every
// other character is kept as it is.
std::u16string LookAlikeKey(std::u16string_view name);

// Text from the file that a notice quotes: at most kMaxNameLength characters (then "…"), with the
// characters a name may not hold shown as U+FFFD, so that it can neither run on nor turn the
// notice around it.
std::u16string ShownName(std::u16string_view text);

} // namespace quillon::fades
