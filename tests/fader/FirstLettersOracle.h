// The first-letter fade as the plain in-place scan: mark, rescan the whole text for the next
// separator, shift everything behind each mark. Quadratic, but obviously right; the fader's
// linear version is compared against it. Valid while the marked text fits 16-bit positions.
#pragma once

#include "Graphemes.h"
#include "WendrikFaderV2.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace FaderTest {

inline bool OracleWordStart(char16_t c) {
    static constexpr std::u16string_view kAlphabet = u"abcdefghijklmnopqrstuvwxyz1234567890";
    const char16_t lower = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    return kAlphabet.find(lower) != std::u16string_view::npos;
}

// Positions are 1-based as in the scan's description: x is a separator's position and the
// word starts at x + 1, i.e. at index x.
inline int OracleCountWords(const std::u16string& text) {
    int count = 1;
    for (char16_t s : {u' ', u'"', u'\n'}) {
        for (std::size_t p = text.find(s); p != std::u16string::npos; p = text.find(s, p + 1)) {
            const std::size_t x = p + 1;
            if (x < text.size() && OracleWordStart(text[x]))
                ++count;
        }
    }
    return count;
}

struct OracleOutcome {
    std::u16string result;
    std::u16string text;    // the caller's variable afterwards
    std::u16string refusal; // empty when not refused
};

inline OracleOutcome OracleFirstLetters(std::u16string text,
                                        const std::vector<WendrikFaderV2::Colour>& colours,
                                        bool compact,
                                        WendrikFaderV2::Blend blend = WendrikFaderV2::Blend::srgb) {
    const std::u16string E = compact ? u"" : u"</font>";
    const std::u16string B = compact ? u"<font color=#000000>" : u"";
    const std::u16string wrapper = u"<font color=\"#000000\">";

    const std::size_t first = text.find_first_not_of(u' ');
    text = first == std::u16string::npos
               ? std::u16string()
               : text.substr(first, text.find_last_not_of(u' ') - first + 1);

    const int words = OracleCountWords(text);
    const int U = static_cast<int>(colours.size());
    if (words + 1 < U || U == 0)
        return {text, text, u"Error"};
    const std::u16string trimmed = text;

    WendrikFaderV2::BuildFadeTable(colours, words, compact, blend);
    // The mark wraps the word's first cluster: its letter and whatever joins it.
    auto mark = [&](std::size_t at, int w) {
        const std::size_t end = WendrikFaderV2::ClusterEnd(text, at);
        return std::pair(end - at, std::u16string(WendrikFaderV2::FadeTag[w]) + u"<b>" +
                                       text.substr(at, end - at) + u"</b>" + E + B);
    };

    std::int16_t w = 1;
    std::int16_t x = 0;
    if (!text.empty() && OracleWordStart(text[0])) {
        const auto [length, m] = mark(0, 1);
        text.replace(0, length, m);
        x = static_cast<std::int16_t>(m.size());
    }
    for (char16_t s : {u' ', u'"', u'\n'}) {
        for (;;) {
            // First occurrence at a 1-based position greater than x is index x or later.
            const std::size_t p = text.find(s, static_cast<std::size_t>(x));
            if (p == std::u16string::npos) {
                x = 0;
                break;
            }
            x = static_cast<std::int16_t>(p + 1);
            if (static_cast<std::size_t>(x) < text.size() && OracleWordStart(text[x])) {
                ++w;
                const auto [length, m] = mark(static_cast<std::size_t>(x), w);
                text.replace(x, length, m);
                x = static_cast<std::int16_t>(x + m.size()); // the mark's last character
            }
        }
    }

    const std::u16string result = compact ? text : wrapper + text + E;
    if (result.size() > 32767)
        return {trimmed, trimmed, u"The text is too long to fade."};
    return {result, text, {}};
}

} // namespace FaderTest
