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
    BadCharacter, // a control character or half of a surrogate pair
};

// Nothing when the trimmed name may be used.
std::optional<NameProblem> CheckName(std::u16string_view trimmed);

} // namespace quillon::fades
