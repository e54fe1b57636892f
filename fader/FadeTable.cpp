#include "FadeTable.h"

#include "ColourCode.h"

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
template <bool Compact>
char16_t* WriteTag(char16_t* out, double r, double g, double b, char16_t gap) {
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
    *out++ = gap; // NUL in the table, the character in a compact fade
    return out;
}

Components TakeApart(Colour c) {
    return {static_cast<double>(GetRed(c)), static_cast<double>(GetGreen(c)),
            static_cast<double>(GetBlue(c))};
}

// Fills `positions` tags, each with its gap (NUL, or the character of text at that position), from
// out on. The running components stay in locals so they live in registers; the arithmetic and its
// order are those the colours have always been made with.
template <bool Compact>
void WriteTags(char16_t* out, const std::vector<Colour>& colours, int positions,
               const char16_t* text) {
    auto gap = [text](int i) { return text ? text[i] : u'\0'; };
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
                out = WriteTag<Compact>(out, r, g, b, gap(e + j));
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
            out = WriteTag<Compact>(out, last[0], last[1], last[2], gap(e));
    }
}

// Fills tags with `positions` tags of the mode's width, each followed by its NUL gap.
void WriteTable(std::u16string& tags, const std::vector<Colour>& colours, std::size_t positions,
                bool Compact) {
    // The buffer keeps its capacity, so a repeated fade overwrites it without allocating.
    tags.resize(positions * ((Compact ? kCompactTagLength : kFullTagLength) + 1));
    if (positions == 0)
        return;
    if (Compact)
        WriteTags<true>(tags.data(), colours, static_cast<int>(positions), nullptr);
    else
        WriteTags<false>(tags.data(), colours, static_cast<int>(positions), nullptr);
}

// Without a colour there is no last colour to fill positions with: only entry 0 remains.
std::size_t Positions(const std::vector<Colour>& colours, int n) {
    return (colours.empty() || n < 0) ? 0 : static_cast<std::size_t>(n);
}

} // namespace

void TagTable::Write(const std::vector<Colour>& colours, std::size_t positions, bool Compact) {
    width_ = positions == 0 ? 0 : Compact ? kCompactTagLength : kFullTagLength;
    count_ = positions;
    deferred_ = false;
    WriteTable(tags_, colours, positions, Compact);
}

// Touches only what a read may fill in, so a const copy of a deferred table can be read too.
void TagTable::WriteIfDeferred() const {
    if (!deferred_)
        return;
    WriteTable(tags_, deferredColours_, count_, width_ == kCompactTagLength);
    deferred_ = false;
}

void BuildFadeTable(const std::vector<Colour>& colours, int n, bool Compact) {
    FadeTag.Write(colours, Positions(colours, n), Compact);
}

void DeferFadeTable(const std::vector<Colour>& colours, int n, bool Compact) {
    const std::size_t positions = Positions(colours, n);
    if (positions == 0)
        return BuildFadeTable(colours, n, Compact);
    FadeTag.deferredColours_.assign(colours.begin(), colours.end());
    FadeTag.width_ = Compact ? kCompactTagLength : kFullTagLength;
    FadeTag.count_ = positions;
    FadeTag.deferred_ = true;
}

void WriteCompactFade(char16_t* out, const std::vector<Colour>& colours, const std::u16string& text) {
    WriteTags<true>(out, colours, static_cast<int>(text.size()), text.data());
}

} // namespace WendrikFaderV2
