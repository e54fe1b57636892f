#include "FadeName.h"

#include "Characters.h"
#include "Utf8.h"

namespace quillon::fades {

namespace {

// Unicode's White_Space characters, all in the basic plane.
bool IsWhiteSpace(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// A menu item or a notice has no use for these: a line break would split the menu text, a bidi
// control would turn it and what follows.
bool MayStandInName(const CodePoint& c) {
    return c.whole && !IsControlCharacter(c.value) && c.value != 0x2028 && c.value != 0x2029 &&
           !IsDirectionControl(c.value);
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
    for (std::size_t i = 0; i < trimmed.size();) {
        const CodePoint c = CodePointAt(trimmed, i);
        if (!MayStandInName(c))
            return NameProblem::BadCharacter;
        i += c.units;
    }
    if (CountCodePoints(trimmed) > kMaxNameLength)
        return NameProblem::TooLong;
    return std::nullopt;
}

std::u16string LookAlikeKey(std::u16string_view name) {
    std::u16string key;
    key.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const CodePoint c = CodePointAt(name, i);
        if (c.whole && IsInvisible(c.value)) {
            // left out
        } else if (c.value >= U'A' && c.value <= U'Z') {
            key += static_cast<char16_t>(c.value - U'A' + U'a');
        } else if (c.value == 0x017F) {
            key += u's';
        } else if (c.value == 0x212A) {
            key += u'k';
        } else {
            key.append(name.substr(i, c.units));
        }
        i += c.units;
    }
    return key;
}

std::u16string ShownName(std::u16string_view text) {
    std::u16string shown;
    std::size_t count = 0, i = 0;
    for (; i < text.size() && count < kMaxNameLength; ++count) {
        const CodePoint c = CodePointAt(text, i);
        if (MayStandInName(c))
            shown.append(text.substr(i, c.units));
        else
            shown += u'\uFFFD';
        i += c.units;
    }
    if (i < text.size())
        shown += u'\u2026';
    return shown;
}

} // namespace quillon::fades
