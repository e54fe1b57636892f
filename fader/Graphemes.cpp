#include "Graphemes.h"

#include "Utf16.h"

#include <array>

namespace WendrikFaderV2 {

namespace {

using namespace GraphemeTables;

// The scan's steps, written inline so that its loop takes them in whole.
inline std::uint8_t BreakByte(char32_t cp) {
    if (cp >= kEnd)
        return 0;
    return kBytes[(static_cast<std::size_t>(kBlockOf[cp >> kShift]) << kShift) + (cp & kLow)];
}

// The character at text[at]: a surrogate pair, or any other single unit (a lone half among
// them). Moves at past it.
inline char32_t Take(std::u16string_view text, std::size_t& at) {
    const char16_t c = text[at++];
    if (utf16::IsHighSurrogate(c) && at < text.size() && utf16::IsLowSurrogate(text[at]))
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[at++] - 0xDC00);
    return c;
}

// What decides whether two neighbouring characters join, by their break values alone or with
// what came before them in the cluster.
enum class Rule : std::uint8_t {
    Break,
    Join,
    JoinEmoji,     // after a zero-width joiner: a pictograph joins one joined before it
    JoinIndicator, // a regional indicator joins an odd run of them: two make a flag
};

constexpr bool IsControl(Break b) {
    return b == Break::Control || b == Break::CR || b == Break::LF;
}

constexpr Rule RuleFor(Break before, Break after) {
    if (before == Break::CR && after == Break::LF)
        return Rule::Join;
    if (IsControl(before) || IsControl(after))
        return Rule::Break;
    // Hangul syllables from jamo.
    if (before == Break::L &&
        (after == Break::L || after == Break::V || after == Break::LV || after == Break::LVT))
        return Rule::Join;
    if ((before == Break::LV || before == Break::V) && (after == Break::V || after == Break::T))
        return Rule::Join;
    if ((before == Break::LVT || before == Break::T) && after == Break::T)
        return Rule::Join;
    if (after == Break::Extend || after == Break::ZWJ || after == Break::SpacingMark ||
        before == Break::Prepend)
        return Rule::Join;
    if (before == Break::ZWJ)
        return Rule::JoinEmoji;
    if (before == Break::Regional_Indicator && after == Break::Regional_Indicator)
        return Rule::JoinIndicator;
    return Rule::Break;
}

constexpr std::size_t kValues = kBreakMask + 1;
constexpr auto kRules = [] {
    std::array<std::array<Rule, kValues>, kValues> rules{};
    for (std::size_t before = 0; before < kValues; ++before)
        for (std::size_t after = 0; after < kValues; ++after)
            rules[before][after] = RuleFor(static_cast<Break>(before), static_cast<Break>(after));
    return rules;
}();

// What the characters of the cluster so far tell about the next one.
struct Context {
    // Joined: a pictograph, any Extend characters, then a zero-width joiner.
    enum class Emoji { None, Pictograph, Joined } emoji = Emoji::None;
    bool oddIndicators = false; // the cluster so far ends in an odd run of regional indicators

    void Take(std::uint8_t byte) {
        const auto b = static_cast<Break>(byte & kBreakMask);
        if (byte & kPictographic)
            emoji = Emoji::Pictograph;
        else if (emoji == Emoji::Pictograph && b == Break::ZWJ)
            emoji = Emoji::Joined;
        else if (!(emoji == Emoji::Pictograph && b == Break::Extend))
            emoji = Emoji::None;
        oddIndicators = b == Break::Regional_Indicator && !oddIndicators;
    }
};

} // namespace

std::size_t ScanCluster(std::u16string_view text, std::size_t start) {
    std::size_t end = start;
    std::uint8_t byte = BreakByte(Take(text, end));
    Context context;
    context.Take(byte);
    while (end < text.size()) {
        std::size_t after = end;
        const std::uint8_t next = BreakByte(Take(text, after));
        switch (kRules[byte & kBreakMask][next & kBreakMask]) {
        case Rule::Break:
            return end;
        case Rule::JoinEmoji:
            if (!(next & kPictographic) || context.emoji != Context::Emoji::Joined)
                return end;
            break;
        case Rule::JoinIndicator:
            if (!context.oddIndicators)
                return end;
            break;
        case Rule::Join:
            break;
        }
        context.Take(next);
        byte = next;
        end = after;
    }
    return end;
}

} // namespace WendrikFaderV2
