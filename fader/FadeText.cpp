#include "ColourCode.h"
#include "FadeTable.h"
#include "Graphemes.h"
#include "Refusal.h"
#include "WendrikFaderV2.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace WendrikFaderV2 {

namespace {
constexpr std::array<std::u16string_view, 4> kWaveTags{u"<sub>", u"</sub>", u"<sup>", u"</sup>"};
constexpr std::size_t kLongestWaveTag = 6;
constexpr std::u16string_view kFullClose = u"</font>";

// A copy of known length compiles to a few moves instead of a library call per character.
template <std::size_t Length> char16_t* PutTag(char16_t* out, std::u16string_view tag) {
    std::memcpy(out, tag.data(), Length * sizeof(char16_t));
    return out + Length;
}

// Line breaks and characters that join their neighbours into one cluster are the only ones that
// do not simply take their tag and themselves. Below kFirstJoiner only CR LF joins, so a text
// without breaks and without characters from there on, ASCII among them, needs no cluster
// search. Text is searched four characters at a time, in one 64-bit word.
constexpr std::size_t kBlock = 4;
constexpr char16_t kFirstJoiner = GraphemeTables::kFirstJoiner;
static_assert(kFirstJoiner > 0x7F && kFirstJoiner <= 0x8000, "ASCII must fade without a search");

bool NeedsCare(char16_t c) {
    return c <= u'\r' || c >= kFirstJoiner;
}

bool BlockNeedsCare(const char16_t* block) {
    static_assert(sizeof(std::uint64_t) == kBlock * sizeof(char16_t));
    constexpr std::uint64_t kLanes = 0x0001000100010001, kHigh = 0x8000800080008000;
    std::uint64_t v;
    std::memcpy(&v, block, sizeof v);
    const std::uint64_t belowCr = (v - kLanes * (u'\r' + 1)) & ~v & kHigh; // some lane <= CR
    // A lane's low 15 bits plus 0x8000 - kFirstJoiner carry into its top bit when they reach
    // kFirstJoiner; a lane with its top bit set is beyond it anyway.
    const std::uint64_t joiner =
        (((v & kLanes * 0x7FFF) + kLanes * (0x8000 - kFirstJoiner)) | v) & kHigh;
    return (belowCr | joiner) != 0;
}

bool AnyNeedsCare(const std::u16string& text) {
    const std::size_t whole = text.size() - text.size() % kBlock;
    for (std::size_t i = 0; i < whole; i += kBlock)
        if (BlockNeedsCare(&text[i]))
            return true;
    return std::any_of(text.begin() + whole, text.end(), NeedsCare);
}

// A line whose every unit takes its own tag and itself: no breaks and no multi-unit clusters.
// The quick look settles the usual line; a line of another script needs a look at each unit.
bool FadesUnitByUnit(const std::u16string& text) {
    if (!AnyNeedsCare(text))
        return true;
    return std::all_of(text.begin(), text.end(),
                       [](char16_t c) { return c > u'\r' && StandsAlone(c); });
}

// Every cluster takes the tag of its first position, its wave step and its closing tag as one
// character; the tags of its other positions are left out, so no markup splits it. CR gives
// "<br>" and LF nothing, with no wave step: both still use up their positions.
template <bool Compact, bool Wave>
char16_t* WriteFade(char16_t* out, const std::u16string& text, const char16_t* tags) {
    constexpr std::size_t kTagLength = Compact ? kCompactTagLength : kFullTagLength;
    constexpr std::u16string_view E = Compact ? u"" : kFullClose;
    std::size_t phase = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r')
                out = PutTag<4>(out, u"<br>");
            ++i;
            continue;
        }
        const std::size_t end = ClusterEnd(text, i);
        out = PutTag<kTagLength>(out, {tags + i * (kTagLength + 1), kTagLength});
        if constexpr (Wave) {
            out = std::copy(kWaveTags[phase].begin(), kWaveTags[phase].end(), out);
            phase = (phase + 1) % kWaveTags.size();
        }
        out = std::copy(text.begin() + i, text.begin() + end, out);
        out = PutTag<E.size()>(out, E);
        i = end;
    }
    return out;
}

// What every caller asks for, compact and without the wave. Text without breaks or clusters of
// several units, the usual line, is written in one pass, each tag followed by its character, and
// the table is left to be written if it is read; otherwise the table first, then the fade.
std::u16string FadeCompact(const std::u16string& text, const std::vector<Colour>& colours,
                           Blend blend) {
    const std::size_t n = text.size();
    constexpr std::size_t kStride = kCompactTagLength + 1;
    std::u16string result(n * kStride, u'\0'); // the most it can be: one tag per character

    if (FadesUnitByUnit(text)) {
        DeferFadeTable(colours, static_cast<int>(n), true, blend);
        WriteCompactFade(result.data(), colours, text, blend);
        return result;
    }

    BuildFadeTable(colours, static_cast<int>(n), true, blend);
    const char16_t* end = WriteFade<true, false>(result.data(), text, FadeTag[1].data());
    result.resize(static_cast<std::size_t>(end - result.data()));
    return result;
}

} // namespace

std::u16string FadeText(const std::u16string& text, const std::vector<Colour>& colours, bool Wave,
                        bool Compact, Blend blend) {
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

    if (Compact && !Wave)
        return FadeCompact(text, colours, blend);
    BuildFadeTable(colours, static_cast<int>(text.size()), Compact, blend);
    const std::size_t perCharacter = (Compact ? kCompactTagLength : kFullTagLength) +
                                     (Wave ? kLongestWaveTag : 0) + 1 +
                                     (Compact ? 0 : kFullClose.size());
    std::u16string result(text.size() * perCharacter, u'\0');
    const char16_t* tags = FadeTag[1].data(); // entry i + 1 belongs to text[i]
    char16_t* out = result.data();
    if (Compact) // with the wave: compact without it was done above
        out = WriteFade<true, true>(out, text, tags);
    else
        out = Wave ? WriteFade<false, true>(out, text, tags)
                   : WriteFade<false, false>(out, text, tags);
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

} // namespace WendrikFaderV2
