#include "FadeTable.h"

#include "ColourCode.h"
#include "OkLab.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

namespace WendrikFaderV2 {

TagTable FadeTag;

namespace {

// A copy of known length compiles to a few moves instead of a library call.
template <std::size_t Length> char16_t* Put(char16_t* out, const char16_t* from) {
    std::memcpy(out, from, Length * sizeof(char16_t));
    return out + Length;
}

// Writes one tag of the mode's fixed width whole from constants and the table of digit pairs:
// copying a tag just written would read back fresh two-character stores, which stalls.
template <bool Compact>
char16_t* WriteTag(char16_t* out, const char16_t* r, const char16_t* g, const char16_t* b,
                   char16_t gap) {
    static constexpr char16_t kCompactOpen[] = u"<font color=#";
    static constexpr char16_t kFullOpen[] = u"<font color=\"#";
    if constexpr (Compact)
        out = Put<std::size(kCompactOpen) - 1>(out, kCompactOpen);
    else
        out = Put<std::size(kFullOpen) - 1>(out, kFullOpen);
    out = Put<2>(out, r);
    out = Put<2>(out, g);
    out = Put<2>(out, b);
    if constexpr (!Compact)
        *out++ = u'"';
    *out++ = u'>';
    *out++ = gap; // NUL in the table, the character in a compact fade
    return out;
}

template <bool Compact> char16_t* WriteTag(char16_t* out, int r, int g, int b, char16_t gap) {
    return WriteTag<Compact>(out, kHexPairs[static_cast<std::size_t>(r)].data(),
                             kHexPairs[static_cast<std::size_t>(g)].data(),
                             kHexPairs[static_cast<std::size_t>(b)].data(), gap);
}

template <bool Compact>
char16_t* WriteTag(char16_t* out, double r, double g, double b, char16_t gap) {
    return WriteTag<Compact>(out, RoundedComponent(r), RoundedComponent(g), RoundedComponent(b),
                             gap);
}

Components TakeApart(Colour c) {
    return {static_cast<double>(GetRed(c)), static_cast<double>(GetGreen(c)),
            static_cast<double>(GetBlue(c))};
}

template <bool Compact> char16_t* WriteColourTag(char16_t* out, Colour c, char16_t gap) {
    return WriteTag<Compact>(out, GetRed(c), GetGreen(c), GetBlue(c), gap);
}

// The segments mixed in OKLab, m positions each, written in place. The fraction of each position
// is computed afresh, not summed, and shared by up to three segments (all of them with four
// colours): a division costs more than a mix. The mixing runs on a block of positions at a time,
// component by component, two positions to an instruction; the way back to a code is mostly a
// look whether the value is still in the run of the code before. A segment starts on its colour
// as given, and a segment of one colour is that colour throughout.
template <bool Compact>
void WriteOkLabSegments(char16_t* out, const std::vector<Colour>& colours, int m, double q,
                        const char16_t* text) {
    constexpr std::ptrdiff_t kStride = (Compact ? kCompactTagLength : kFullTagLength) + 1;
    constexpr int kBlock = 32;
    constexpr int kGroup = 3;
    using Run = OkLab::Codes::Run;
    struct Segment {
        OkLab::Mix mix;
        Run red, green, blue;
        char16_t* out;
        const char16_t* text; // null for the table
    };
    const OkLab::Codes& codes = OkLab::Codes::Get();
    const int segments = static_cast<int>(colours.size()) - 1;
    Segment group[kGroup];
    int count = 0;
    for (int i = 0; i < segments; ++i) {
        char16_t* start = out + i * m * kStride;
        const char16_t* segmentText = text ? text + i * m : nullptr;
        auto gap = [segmentText](int j) { return segmentText ? segmentText[j] : u'\0'; };
        const Colour from = colours[i], to = colours[i + 1];
        start = WriteColourTag<Compact>(start, from, gap(0));
        if (from == to) {
            for (int j = 1; j < m; ++j)
                start = WriteColourTag<Compact>(start, from, gap(j));
        } else {
            const Run none{1, 0, {}}; // holds nothing: found at the first value
            group[count++] = {
                OkLab::Mix(OkLab::FromColour(from), OkLab::FromColour(to), OkLab::Codes::kScale),
                none,
                none,
                none,
                start,
                segmentText};
        }
        if (count < kGroup && i + 1 < segments)
            continue;
        // The last block may run past the segments; its surplus is not written.
        for (int first = 1; first < m; first += kBlock) {
            double t[kBlock];
            for (int k = 0; k < kBlock; ++k)
                t[k] = (first + k) / q;
            const int positions = std::min(kBlock, m - first);
            for (int g = 0; g < count; ++g) {
                Segment& segment = group[g];
                double scaled[3][kBlock];
                for (int k = 0; k < kBlock; ++k) {
                    const Components rgb = segment.mix.At(t[k]);
                    scaled[0][k] = rgb[0];
                    scaled[1][k] = rgb[1];
                    scaled[2][k] = rgb[2];
                }
                Run red = segment.red, green = segment.green, blue = segment.blue;
                char16_t* at = segment.out;
                // A loop of its own for the table, which has no text to look at.
                auto write = [&](auto withText) {
                    for (int k = 0; k < positions; ++k) {
                        const std::int64_t r = OkLab::Codes::Bits(scaled[0][k]),
                                           g = OkLab::Codes::Bits(scaled[1][k]),
                                           b = OkLab::Codes::Bits(scaled[2][k]);
                        if (!red.Holds(r)) [[unlikely]]
                            red = codes.Find(scaled[0][k]);
                        if (!green.Holds(g)) [[unlikely]]
                            green = codes.Find(scaled[1][k]);
                        if (!blue.Holds(b)) [[unlikely]]
                            blue = codes.Find(scaled[2][k]);
                        at = WriteTag<Compact>(at, red.digits.data(), green.digits.data(),
                                               blue.digits.data(),
                                               withText ? segment.text[first + k] : u'\0');
                    }
                };
                if (segment.text)
                    write(std::true_type());
                else
                    write(std::false_type());
                segment.red = red;
                segment.green = green;
                segment.blue = blue;
                segment.out = at;
            }
        }
        count = 0;
    }
}

// Fills `positions` tags, each with its gap (NUL, or the character of text at that position), from
// out on. The running components stay in locals so they live in registers; the arithmetic and its
// order are those the colours have always been made with.
template <bool Compact>
void WriteTags(char16_t* out, const std::vector<Colour>& colours, int positions,
               const char16_t* text, Blend blend) {
    auto gap = [text](int i) { return text ? text[i] : u'\0'; };
    const int U = static_cast<int>(colours.size());
    int e = 0;
    const int m = U > 1 ? positions / (U - 1) : 0;
    if (m > 0 && blend == Blend::oklab) {
        WriteOkLabSegments<Compact>(out, colours, m, static_cast<double>(positions) / (U - 1),
                                    text);
        e = m * (U - 1);
        out +=
            static_cast<std::ptrdiff_t>(e) * ((Compact ? kCompactTagLength : kFullTagLength) + 1);
    } else if (m > 0) {
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
                bool Compact, Blend blend) {
    // The buffer keeps its capacity, so a repeated fade overwrites it without allocating.
    tags.resize(positions * ((Compact ? kCompactTagLength : kFullTagLength) + 1));
    if (positions == 0)
        return;
    if (Compact)
        WriteTags<true>(tags.data(), colours, static_cast<int>(positions), nullptr, blend);
    else
        WriteTags<false>(tags.data(), colours, static_cast<int>(positions), nullptr, blend);
}

// Without a colour there is no last colour to fill positions with: only entry 0 remains.
std::size_t Positions(const std::vector<Colour>& colours, int n) {
    return (colours.empty() || n < 0) ? 0 : static_cast<std::size_t>(n);
}

} // namespace

void TagTable::Contents::Write(const std::vector<Colour>& colours, std::size_t positions,
                               bool Compact, Blend blend) {
    width = positions == 0 ? 0 : Compact ? kCompactTagLength : kFullTagLength;
    count = positions;
    deferred = false;
    WriteTable(tags, colours, positions, Compact, blend);
}

void TagTable::Contents::Defer(const std::vector<Colour>& colours, std::size_t positions,
                               bool Compact, Blend blend) {
    deferredColours.assign(colours.begin(), colours.end());
    deferredBlend = blend;
    width = Compact ? kCompactTagLength : kFullTagLength;
    count = positions;
    deferred = true;
}

void TagTable::Contents::WriteIfDeferred() const {
    if (!deferred)
        return;
    WriteTable(tags, deferredColours, count, width == kCompactTagLength, deferredBlend);
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

void BuildFadeTable(const std::vector<Colour>& colours, int n, bool Compact, Blend blend) {
    FadeTag.contents().Write(colours, Positions(colours, n), Compact, blend);
}

void DeferFadeTable(const std::vector<Colour>& colours, int n, bool Compact, Blend blend) {
    const std::size_t positions = Positions(colours, n);
    if (positions == 0)
        return BuildFadeTable(colours, n, Compact, blend);
    FadeTag.contents().Defer(colours, positions, Compact, blend);
}

void WriteCompactFade(char16_t* out, const std::vector<Colour>& colours, const std::u16string& text,
                      Blend blend) {
    WriteTags<true>(out, colours, static_cast<int>(text.size()), text.data(), blend);
}

} // namespace WendrikFaderV2
