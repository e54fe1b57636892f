// Reads FadeText output back against its input: one colour tag per printed cluster, "<br>" for
// CR, nothing for LF, wave tags in phase, every colour inside its segment's two colours, and the
// units of a cluster (a surrogate pair, a letter with its accents, ...) side by side: the tag is
// the one of the cluster's first position, and its other units use up their positions but take
// no tag, no wave step and no closing tag of their own. An OKLab fade's colours leave their
// segment's box, so each is held against the plain reference instead; given a table, every tag
// must also be the table's entry for its position.
// Shared by the property tests and the fuzz target.
#pragma once

#include "Graphemes.h"
#include "OkLabReference.h"
#include "WendrikFaderV2.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace FaderTest {

struct Rgb3 {
    int r, g, b;
};

inline Rgb3 Unpack(WendrikFaderV2::Colour c) {
    return {WendrikFaderV2::GetRed(c), WendrikFaderV2::GetGreen(c), WendrikFaderV2::GetBlue(c)};
}

inline bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// High halves directly followed by a low half: markup between them would lower the count.
inline std::size_t SurrogatePairs(std::u16string_view text) {
    std::size_t pairs = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        pairs += IsHighSurrogate(text[i]) && IsLowSurrogate(text[i + 1]);
    return pairs;
}

inline int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1; // lower case is a fault too
}

// Empty when the result is sound, else a description of the first fault.
inline std::string CheckFadeText(const std::u16string& text,
                                 const std::vector<WendrikFaderV2::Colour>& colours, bool wave,
                                 bool compact, std::u16string_view result,
                                 WendrikFaderV2::Blend blend = WendrikFaderV2::Blend::srgb,
                                 const WendrikFaderV2::TagTable* table = nullptr) {
    static constexpr std::array<std::u16string_view, 4> kWave{u"<sub>", u"</sub>", u"<sup>",
                                                              u"</sup>"};
    const std::u16string_view quote = compact ? u"" : u"\"";
    const std::u16string_view close = compact ? u"" : u"</font>";
    const int n = static_cast<int>(text.size());
    const int U = static_cast<int>(colours.size());
    const int m = n / (U - 1);

    const bool oklab = blend == WendrikFaderV2::Blend::oklab;
    const ReferenceFade reference = oklab ? ReferenceFade(colours, n) : ReferenceFade({0, 0}, 0);
    int nearBoundary = 0;

    std::size_t at = 0;
    auto expect = [&](std::u16string_view part) {
        if (result.substr(at, part.size()) != part)
            return false;
        at += part.size();
        return true;
    };

    std::size_t phase = 0;
    for (int k = 1; k <= n; ++k) {
        const char16_t c = text[k - 1];
        const std::string where = " at position " + std::to_string(k);
        if (c == u'\r') {
            if (!expect(u"<br>"))
                return "no <br> for CR" + where;
            continue;
        }
        if (c == u'\n')
            continue;
        const std::size_t tagStart = at;
        if (!expect(u"<font color=") || !expect(quote) || !expect(u"#"))
            return "no colour tag" + where;
        int rgb[3];
        for (int& component : rgb) {
            const int high = at + 1 < result.size() ? HexValue(result[at]) : -1;
            const int low = at + 1 < result.size() ? HexValue(result[at + 1]) : -1;
            if (high < 0 || low < 0)
                return "bad colour code" + where;
            component = high * 16 + low;
            at += 2;
        }
        if (!expect(quote) || !expect(u">"))
            return "colour tag not closed" + where;
        if (table && result.substr(tagStart, at - tagStart) != (*table)[k])
            return "tag differs from the table's" + where;
        if (wave && !expect(kWave[phase]))
            return "wave tag out of phase" + where;
        if (!expect(std::u16string_view(&c, 1)))
            return "character not copied" + where;
        const std::size_t end = WendrikFaderV2::ClusterEnd(text, static_cast<std::size_t>(k - 1));
        if (!expect(std::u16string_view(text).substr(k, end - k)))
            return "cluster split" + where;
        if (!expect(close))
            return "no closing tag" + where;
        phase = (phase + 1) % kWave.size();

        const Rgb3 got{rgb[0], rgb[1], rgb[2]};
        if (oklab) {
            const Rgb255 want = reference.At(k);
            for (int c = 0; c < 3; ++c)
                if (!AgreesWith(rgb[c], want[c], nearBoundary))
                    return "colour differs from the OKLab reference" + where;
        }
        if (k <= m * (U - 1)) {
            const int segment = (k - 1) / m;
            const Rgb3 from = Unpack(colours[segment]);
            const Rgb3 to = Unpack(colours[segment + 1]);
            auto between = [](int v, int a, int b) {
                return v >= std::min(a, b) && v <= std::max(a, b);
            };
            if (!oklab && (!between(got.r, from.r, to.r) || !between(got.g, from.g, to.g) ||
                           !between(got.b, from.b, to.b)))
                return "colour outside its segment" + where;
            const bool segmentStart = (k - 1) % m == 0;
            if (segmentStart && (got.r != from.r || got.g != from.g || got.b != from.b))
                return "segment does not start on its colour" + where;
        } else {
            const Rgb3 last = Unpack(colours.back());
            if (got.r != last.r || got.g != last.g || got.b != last.b)
                return "remainder position not the last colour" + where;
        }
        k = static_cast<int>(end); // the positions of the cluster's other units, already copied
    }
    if (at != result.size())
        return "trailing output";
    return {};
}

} // namespace FaderTest
