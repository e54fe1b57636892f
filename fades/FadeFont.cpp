#include "FadeFont.h"

#include "Characters.h"
#include "Utf8.h"

namespace quillon::fades {

bool MayStandInFontName(char32_t c) {
    switch (c) {
    case U'<':
    case U'>':
    case U'"':
    case U'\'':
    case U'=':
    case U'&':
        return false;
    default:
        return !IsControlCharacter(c) && !IsFormatCharacter(c);
    }
}

std::optional<FontProblem> CheckFont(std::u16string_view font) {
    if (font.empty())
        return FontProblem::Empty;
    // The characters first: markup is the more telling reason.
    for (std::size_t i = 0; i < font.size();) {
        const CodePoint c = CodePointAt(font, i);
        if (!c.whole || !MayStandInFontName(c.value))
            return FontProblem::BadCharacter;
        i += c.units;
    }
    if (font.size() > kMaxFontUnits)
        return FontProblem::TooLong;
    return std::nullopt;
}

} // namespace quillon::fades
