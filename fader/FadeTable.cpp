#include "ColourCode.h"
#include "WendrikFaderV2.h"

#include <cstring>
#include <vector>

namespace WendrikFaderV2 {

std::vector<std::u16string> FadeTag{u""};

namespace {

// A copy of known length compiles to a few moves instead of a library call.
template <std::size_t Length> char16_t* Put(char16_t* out, const char16_t* from) {
    std::memcpy(out, from, Length * sizeof(char16_t));
    return out + Length;
}

// Writes a tag straight into its entry, whose buffer survives from the previous table, whole from
// constants and the table of digit pairs: copying the tag just written would read back fresh
// two-character stores, which stalls the processor.
inline void WriteTag(std::u16string& entry, const Components& rgb, bool Compact) {
    static constexpr char16_t kCompactOpen[] = u"<font color=#";
    static constexpr char16_t kFullOpen[] = u"<font color=\"#";
    const std::size_t length = Compact ? kCompactTagLength : kFullTagLength;
    if (entry.size() != length) // mostly the right size already, from the previous table
        entry.resize(length);
    char16_t* out = entry.data();
    if (Compact)
        out = Put<std::size(kCompactOpen) - 1>(out, kCompactOpen);
    else
        out = Put<std::size(kFullOpen) - 1>(out, kFullOpen);
    for (double component : rgb)
        out = Put<2>(out, kHexPairs[static_cast<std::size_t>(RoundedComponent(component))].data());
    if (!Compact)
        *out++ = u'"';
    *out = u'>';
}

Components TakeApart(Colour c) {
    return {static_cast<double>(GetRed(c)), static_cast<double>(GetGreen(c)),
            static_cast<double>(GetBlue(c))};
}

} // namespace

void BuildFadeTable(const std::vector<Colour>& colours, int n, bool Compact) {
    const int U = static_cast<int>(colours.size());
    // Without a colour there is no last colour to fill positions with: only entry 0 remains.
    const int positions = (U == 0 || n < 0) ? 0 : n;

    std::vector<Components> rows;
    rows.reserve(colours.size());
    for (Colour c : colours)
        rows.push_back(TakeApart(c));

    // Entries are overwritten rather than rebuilt so repeated fades reuse their buffers.
    FadeTag.resize(static_cast<std::size_t>(positions) + 1);
    FadeTag[0].clear();
    int e = 0;

    const int m = U > 1 ? positions / (U - 1) : 0;
    if (m > 0) {
        const double q = static_cast<double>(positions) / (U - 1);
        for (int i = 0; i + 1 < U; ++i) {
            Components& row = rows[i];
            Components step;
            for (int c = 0; c < 3; ++c)
                step[c] = (rows[i + 1][c] - row[c]) / q; // divided by q, not times (U-1)/n
            for (int j = 0; j < m; ++j) {
                WriteTag(FadeTag[++e], row, Compact);
                for (int c = 0; c < 3; ++c)
                    row[c] += step[c]; // accumulated, as the colours have always been made
            }
        }
    }
    while (e < positions)
        WriteTag(FadeTag[++e], rows[U - 1], Compact);
}

} // namespace WendrikFaderV2
