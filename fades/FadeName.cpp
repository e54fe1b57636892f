#include "FadeName.h"

#include "Utf8.h"

namespace quillon::fades {

namespace {

// Unicode's White_Space characters, all in the basic plane.
bool IsWhiteSpace(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// A menu item or a file entry has no use for these, and a line break would split the menu text.
bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

std::u16string TrimName(std::u16string_view name) {
    std::size_t first = 0, last = name.size();
    while (first < last && IsWhiteSpace(name[first]))
        ++first;
    while (last > first && IsWhiteSpace(name[last - 1]))
        --last;
    return std::u16string(name.substr(first, last - first));
}

std::optional<NameProblem> CheckName(std::u16string_view trimmed) {
    if (trimmed.empty())
        return NameProblem::Empty;
    for (const char16_t c : trimmed)
        if (IsControl(c))
            return NameProblem::BadCharacter;
    if (!ToUtf8(trimmed))
        return NameProblem::BadCharacter;
    if (CountCodePoints(trimmed) > kMaxNameLength)
        return NameProblem::TooLong;
    return std::nullopt;
}

} // namespace quillon::fades
