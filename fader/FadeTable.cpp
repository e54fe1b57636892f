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

void TagTable::Contents::Write(const std::vector<Colour>& colours, std::size_t positions,
                               bool Compact) {
    width = positions == 0 ? 0 : Compact ? kCompactTagLength : kFullTagLength;
    count = positions;
    deferred = false;
    WriteTable(tags, colours, positions, Compact);
}

void TagTable::Contents::Defer(const std::vector<Colour>& colours, std::size_t positions,
                               bool Compact) {
    deferredColours.assign(colours.begin(), colours.end());
    width = Compact ? kCompactTagLength : kFullTagLength;
    count = positions;
    deferred = true;
}

void TagTable::Contents::WriteIfDeferred() const {
    if (!deferred)
        return;
    WriteTable(tags, deferredColours, count, width == kCompactTagLength);
    deferred = false;
}

TagTable::TagTable() : contents_(std::make_unique<Contents>()) {}
TagTable::TagTable(const TagTable& other)
    : contents_(std::make_unique<Contents>(*other.contents_)) {}
TagTable& TagTable::operator=(const TagTable& other) {
    *contents_ = *other.contents_; // keeps this buffer's capacity
    return *this;
}
TagTable::~TagTable() = default;

std::size_t TagTable::size() const {
    return contents_->count + 1;
}

std::u16string_view TagTable::operator[](std::size_t k) const {
    const Contents& c = *contents_;
    c.WriteIfDeferred();
    return k == 0 ? std::u16string_view()
                  : std::u16string_view(c.tags.data() + (k - 1) * (c.width + 1), c.width);
}

bool TagTable::operator==(const TagTable& other) const {
    const Contents &a = *contents_, &b = *other.contents_;
    a.WriteIfDeferred();
    b.WriteIfDeferred();
    return a.tags == b.tags && a.width == b.width && a.count == b.count;
}

void BuildFadeTable(const std::vector<Colour>& colours, int n, bool Compact) {
    FadeTag.contents().Write(colours, Positions(colours, n), Compact);
}

void DeferFadeTable(const std::vector<Colour>& colours, int n, bool Compact) {
    const std::size_t positions = Positions(colours, n);
    if (positions == 0)
        return BuildFadeTable(colours, n, Compact);
    FadeTag.contents().Defer(colours, positions, Compact);
}

void WriteCompactFade(char16_t* out, const std::vector<Colour>& colours,
                      const std::u16string& text) {
    WriteTags<true>(out, colours, static_cast<int>(text.size()), text.data());
}

} // namespace WendrikFaderV2
