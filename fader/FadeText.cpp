#include "ColourCode.h"
#include "FadeTable.h"
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

// A copy of known length compiles to a few moves instead of a library call per character.
template <std::size_t Length> char16_t* PutTag(char16_t* out, std::u16string_view tag) {
    std::memcpy(out, tag.data(), Length * sizeof(char16_t));
    return out + Length;
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The two halves of a character beyond the 16-bit range must stay together: markup between them
// leaves two broken characters. The low half keeps its colour position but takes no markup.
bool StartsPair(const std::u16string& text, std::size_t i) {
    return IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
}

// The low half of a pair, which follows its high half with no tag of its own.
bool ContinuesPair(const std::u16string& text, std::size_t i) {
    return i > 0 && IsLowSurrogate(text[i]) && IsHighSurrogate(text[i - 1]);
}

// Line breaks and surrogates are the only characters that do not simply take their tag and
// themselves. Text is searched for them four characters at a time, in one 64-bit word.
constexpr std::size_t kBlock = 4;

bool NeedsCare(char16_t c) {
    return c <= u'\r' || (c & 0xF800) == 0xD800;
}

bool BlockNeedsCare(const char16_t* block) {
    static_assert(sizeof(std::uint64_t) == kBlock * sizeof(char16_t));
    constexpr std::uint64_t kLanes = 0x0001000100010001, kHigh = 0x8000800080008000;
    std::uint64_t v;
    std::memcpy(&v, block, sizeof v);
    const std::uint64_t belowCr = (v - kLanes * (u'\r' + 1)) & ~v & kHigh; // some lane <= CR
    const std::uint64_t s = (v & kLanes * 0xF800) ^ kLanes * 0xD800;       // zero lane: surrogate
    const std::uint64_t surrogate = (s - kLanes) & ~s & kHigh;
    return (belowCr | surrogate) != 0;
}

// Output characters of position i in the compact fade without the wave.
std::size_t CompactLength(const std::u16string& text, std::size_t i) {
    if (text[i] == u'\r')
        return 4; // "<br>"
    if (text[i] == u'\n')
        return 0;
    return ContinuesPair(text, i) ? 1 : kCompactTagLength + 1;
}

char16_t* PutCompact(char16_t* out, const char16_t* tag, char16_t c) {
    out = PutTag<kCompactTagLength>(out, {tag, kCompactTagLength});
    *out = c;
    return out + 1;
}

char16_t* PutCompactWithCare(char16_t* out, const std::u16string& text, std::size_t i,
                             const char16_t* tag) {
    const char16_t c = text[i];
    if (c == u'\r')
        return std::copy_n(u"<br>", 4, out);
    if (c == u'\n')
        return out;
    if (ContinuesPair(text, i)) {
        *out = c;
        return out + 1;
    }
    return PutCompact(out, tag, c);
}

bool AnyNeedsCare(const std::u16string& text) {
    const std::size_t whole = text.size() - text.size() % kBlock;
    for (std::size_t i = 0; i < whole; i += kBlock)
        if (BlockNeedsCare(&text[i]))
            return true;
    return std::any_of(text.begin() + whole, text.end(), NeedsCare);
}

// What every caller asks for, compact and without the wave. Text without breaks or surrogates,
// the usual line, is written in one pass, each tag followed by its character, and the table is
// left to be written if it is read; otherwise the table first, the exact length, then one copy of
// tag and character per position.
std::u16string FadeCompact(const std::u16string& text, const std::vector<Colour>& colours) {
    const std::size_t n = text.size();
    constexpr std::size_t kStride = kCompactTagLength + 1;

    if (!AnyNeedsCare(text)) {
        DeferFadeTable(colours, static_cast<int>(n), true);
        std::u16string result(n * kStride, u'\0');
        WriteCompactFade(result.data(), colours, text);
        return result;
    }

    BuildFadeTable(colours, static_cast<int>(n), true);
    const char16_t* const tags = FadeTag[1].data(); // entry i + 1 belongs to text[i]
    auto tag = [tags](std::size_t i) { return tags + i * kStride; };
    std::size_t length = 0;
    for (std::size_t i = 0; i < n; ++i)
        length += CompactLength(text, i);
    std::u16string result(length, u'\0');
    char16_t* out = result.data();
    for (std::size_t i = 0; i < n; ++i)
        out = PutCompactWithCare(out, text, i, tag(i));
    return result;
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

    if (Compact && !Wave)
        return FadeCompact(text, colours);
    BuildFadeTable(colours, static_cast<int>(text.size()), Compact);

    const std::u16string_view E = Compact ? u"" : u"</font>";
    const std::size_t perCharacter = (Compact ? kCompactTagLength : kFullTagLength) +
                                     (Wave ? kLongestWaveTag : 0) + 1 + E.size();
    std::u16string result(text.size() * perCharacter, u'\0');
    char16_t* out = result.data();
    auto put = [&out](std::u16string_view part) { out = std::copy(part.begin(), part.end(), out); };

    std::size_t phase = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r') {
            put(u"<br>");
        } else if (c != u'\n') {
            // Break characters still use up their table positions above.
            out = Compact ? PutTag<kCompactTagLength>(out, FadeTag[i + 1])
                          : PutTag<kFullTagLength>(out, FadeTag[i + 1]);
            if (Wave)
                put(kWaveTags[phase]);
            *out++ = c;
            if (StartsPair(text, i)) // one character: one wave step, closed after both halves
                *out++ = text[++i];
            put(E);
            phase = (phase + 1) % kWaveTags.size();
        }
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

} // namespace WendrikFaderV2
