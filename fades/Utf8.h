// The file is UTF-8; the windows and the fader speak UTF-16. The two meet only here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::fades {

// Nothing for text that cannot be carried across: a lone surrogate, or ill-formed UTF-8.
std::optional<std::string> ToUtf8(std::u16string_view text);
std::optional<std::u16string> FromUtf8(std::string_view text);

// Characters as a reader counts them: a surrogate pair is one.
std::size_t CountCodePoints(std::u16string_view text);

// The character that starts at text[at]: its code point and how many units it takes. A half of a
// surrogate pair standing alone is one unit and not whole.
struct CodePoint {
    char32_t value = 0;
    std::size_t units = 1;
    bool whole = true;
};
CodePoint CodePointAt(std::u16string_view text, std::size_t at);

} // namespace quillon::fades
