#include "ColourCode.h"
#include "Refusal.h"
#include "WendrikFaderV2.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace WendrikFaderV2 {

namespace {
constexpr std::array<std::u16string_view, 4> kWaveTags{u"<sub>", u"</sub>", u"<sup>", u"</sup>"};
constexpr std::size_t kLongestWaveTag = 6;

// A copy of known length compiles to a few moves instead of a library call per character.
template <std::size_t Length> char16_t* PutTag(char16_t* out, const std::u16string& tag) {
    std::memcpy(out, tag.data(), Length * sizeof(char16_t));
    return out + Length;
}
} // namespace

std::u16string FadeText(const std::u16string& text, const std::vector<Colour>& colours, bool Wave,
                        bool Compact) {
    const std::size_t U = colours.size();
    if (U < 2) {
        Refuse(kTooFewColours);
        return text;
    }
    if (text.size() < U) {
        Refuse(kTooShort);
        return text;
    }
    if (text.size() > kMaxFadeLength) {
        Refuse(kTooLong);
        return text;
    }

    const int n = static_cast<int>(text.size());
    BuildFadeTable(colours, n, Compact);

    const std::u16string_view E = Compact ? u"" : u"</font>";
    const std::size_t perCharacter = (Compact ? kCompactTagLength : kFullTagLength) +
                                     (Wave ? kLongestWaveTag : 0) + 1 + E.size();
    std::u16string result(text.size() * perCharacter, u'\0');
    char16_t* out = result.data();
    auto put = [&out](std::u16string_view part) { out = std::copy(part.begin(), part.end(), out); };

    if (Compact && !Wave) {
        // What every caller asks for: a tag and the character, nothing else to decide.
        for (int k = 1; k <= n; ++k) {
            const char16_t c = text[k - 1];
            if (c == u'\r') {
                put(u"<br>");
            } else if (c != u'\n') {
                out = PutTag<kCompactTagLength>(out, FadeTag[k]);
                *out++ = c;
            }
        }
        result.resize(static_cast<std::size_t>(out - result.data()));
        return result;
    }
    std::size_t phase = 0;
    for (int k = 1; k <= n; ++k) {
        const char16_t c = text[k - 1];
        if (c == u'\r') {
            put(u"<br>");
        } else if (c != u'\n') {
            // Break characters still use up their table positions above.
            out = Compact ? PutTag<kCompactTagLength>(out, FadeTag[k])
                          : PutTag<kFullTagLength>(out, FadeTag[k]);
            if (Wave)
                put(kWaveTags[phase]);
            *out++ = c;
            put(E);
            phase = (phase + 1) % kWaveTags.size();
        }
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

} // namespace WendrikFaderV2
