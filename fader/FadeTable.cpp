#include "ColourCode.h"
#include "WendrikFaderV2.h"

#include <cstring>
#include <vector>

namespace WendrikFaderV2 {

TagTable FadeTag;

namespace {

// A copy of known length compiles to a few moves instead of a library call.
template <std::size_t Length> char16_t* Put(char16_t* out, const char16_t* from) {
    std::memcpy(out, from, Length * sizeof(char16_t));
    return out + Length;
}

char16_t* PutComponent(char16_t* out, double component) {
    return Put<2>(out, kHexPairs[static_cast<std::size_t>(RoundedComponent(component))].data());
}

// Writes one tag of the mode's fixed width whole from constants and the table of digit pairs:
// copying a tag just written would read back fresh two-character stores, which stalls.
template <bool Compact> char16_t* WriteTag(char16_t* out, double r, double g, double b) {
    static constexpr char16_t kCompactOpen[] = u"<font color=#";
    static constexpr char16_t kFullOpen[] = u"<font color=\"#";
    if constexpr (Compact)
        out = Put<std::size(kCompactOpen) - 1>(out, kCompactOpen);
    else
        out = Put<std::size(kFullOpen) - 1>(out, kFullOpen);
    out = PutComponent(out, r);
    out = PutComponent(out, g);
    out = PutComponent(out, b);
    if constexpr (!Compact)
        *out++ = u'"';
    *out++ = u'>';
    *out++ = u'\0'; // the gap a compact fade puts its character in
    return out;
}

Components TakeApart(Colour c) {
    return {static_cast<double>(GetRed(c)), static_cast<double>(GetGreen(c)),
            static_cast<double>(GetBlue(c))};
}

// Fills `positions` tags, each with its gap, from out on. The running components stay in locals rather than in the
// rows so they live in registers; the arithmetic and its order are those of the rows.
template <bool Compact>
void WriteTags(char16_t* out, const std::vector<Colour>& colours, int positions) {
    const int U = static_cast<int>(colours.size());
    int e = 0;
    const int m = U > 1 ? positions / (U - 1) : 0;
    if (m > 0) {
        const double q = static_cast<double>(positions) / (U - 1);
        for (int i = 0; i + 1 < U; ++i) {
            const Components from = TakeApart(colours[i]);
            const Components to = TakeApart(colours[i + 1]);
            // Divided by q, not times (U-1)/n, which rounds differently.
            const double stepR = (to[0] - from[0]) / q;
            const double stepG = (to[1] - from[1]) / q;
            const double stepB = (to[2] - from[2]) / q;
            double r = from[0], g = from[1], b = from[2];
            for (int j = 0; j < m; ++j) {
                out = WriteTag<Compact>(out, r, g, b);
                r += stepR; // accumulated, as the colours have always been made
                g += stepG;
                b += stepB;
            }
            e += m;
        }
    }
    if (e < positions) {
        const Components last = TakeApart(colours[U - 1]);
        for (; e < positions; ++e)
            out = WriteTag<Compact>(out, last[0], last[1], last[2]);
    }
}

} // namespace

void BuildFadeTable(const std::vector<Colour>& colours, int n, bool Compact) {
    // Without a colour there is no last colour to fill positions with: only entry 0 remains.
    const std::size_t positions = (colours.empty() || n < 0) ? 0 : static_cast<std::size_t>(n);
    const std::size_t width = positions == 0 ? 0 : Compact ? kCompactTagLength : kFullTagLength;

    // The buffer keeps its capacity, so a repeated fade overwrites it without allocating.
    FadeTag.tags_.resize(positions * (width + 1));
    FadeTag.width_ = width;
    FadeTag.count_ = positions;
    if (positions == 0)
        return;
    if (Compact)
        WriteTags<true>(FadeTag.tags_.data(), colours, static_cast<int>(positions));
    else
        WriteTags<false>(FadeTag.tags_.data(), colours, static_cast<int>(positions));
}

} // namespace WendrikFaderV2
