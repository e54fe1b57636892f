// The table is built with a rounding by addition and with its running components in registers.
// Both must give the very tags of the plain formulation: whole part, fraction against a half,
// rows of the colour matrix advanced in place.
#include "ColourCode.h"
#include "FaderTestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

using namespace WendrikFaderV2;
using namespace FaderTest;

namespace {

// The rounding the fader used before: whole part, then the fraction's bit pattern against a half's.
int PlainRoundHalfEven(double x) {
    if (x < 0)
        return -PlainRoundHalfEven(-x);
    const int whole = static_cast<int>(x);
    const double fraction = x - whole;
    const std::uint64_t odd = static_cast<std::uint64_t>(whole & 1);
    return whole +
           (std::bit_cast<std::uint64_t>(fraction) + odd > std::bit_cast<std::uint64_t>(0.5));
}

int PlainRoundedComponent(double x) {
    return std::clamp(PlainRoundHalfEven(x), 0, 255);
}

std::u16string PlainTag(const Components& rgb, bool compact) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string tag = compact ? u"<font color=#" : u"<font color=\"#";
    for (double component : rgb) {
        const int value = PlainRoundedComponent(component);
        tag += kDigits[value / 16];
        tag += kDigits[value % 16];
    }
    tag += compact ? u">" : u"\">";
    return tag;
}

// The table as the rows of the colour matrix make it, one row advanced per segment.
std::vector<std::u16string> PlainTable(const std::vector<Colour>& colours, int n, bool compact) {
    const int U = static_cast<int>(colours.size());
    std::vector<Components> rows;
    for (Colour c : colours)
        rows.push_back({double(GetRed(c)), double(GetGreen(c)), double(GetBlue(c))});
    std::vector<std::u16string> table{u""};
    const int m = n / (U - 1);
    const double q = static_cast<double>(n) / (U - 1);
    for (int i = 0; i + 1 < U; ++i) {
        Components step;
        for (int c = 0; c < 3; ++c)
            step[c] = (rows[i + 1][c] - rows[i][c]) / q;
        for (int j = 0; j < m; ++j) {
            table.push_back(PlainTag(rows[i], compact));
            for (int c = 0; c < 3; ++c)
                rows[i][c] += step[c];
        }
    }
    while (static_cast<int>(table.size()) <= n)
        table.push_back(PlainTag(rows[U - 1], compact));
    return table;
}

} // namespace

TEST(Rounding, MatchesThePlainFormulaOverTheComponentRange) {
    // Every multiple of 1/4096 from 0 to 255, halves among them, with the doubles on either side.
    for (int k = 0; k <= 255 * 4096; ++k) {
        const double x = k / 4096.0;
        for (double y : {std::nextafter(x, -1.0), x, std::nextafter(x, 256.0)}) {
            if (y < 0 || y > 255)
                continue;
            ASSERT_EQ(RoundedComponent(y), PlainRoundedComponent(y)) << std::hexfloat << y;
        }
    }
    std::mt19937_64 engine(20261209);
    std::uniform_real_distribution<double> component(0.0, 255.0);
    for (int i = 0; i < 2'000'000; ++i) {
        const double y = component(engine);
        ASSERT_EQ(RoundedComponent(y), PlainRoundedComponent(y)) << std::hexfloat << y;
    }
}

TEST(Rounding, TableMatchesThePlainFormulation) {
    const std::vector<std::vector<Colour>> lists = {
        {kRed, kGreen, kBlue, kBlack},
        {kBlue, kBlack, kBlue},
        {kBlack, Rgb(3, 0, 0)},
        {Rgb(255, 255, 255), Rgb(1, 2, 3), Rgb(254, 0, 127)},
    };
    for (const auto& colours : lists)
        for (int n = static_cast<int>(colours.size()); n <= 800; ++n)
            for (bool compact : {true, false}) {
                BuildFadeTable(colours, n, compact);
                ASSERT_EQ(TableEntries(), PlainTable(colours, n, compact)) << "n = " << n;
            }

    std::mt19937 engine(4242);
    auto between = [&engine](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine);
    };
    for (int i = 0; i < 16; ++i) {
        std::vector<Colour> colours(between(2, 4));
        for (Colour& c : colours)
            c = between(0, 0xFFFFFF);
        const int n = between(static_cast<int>(colours.size()), 32767);
        BuildFadeTable(colours, n, i % 2 == 0);
        ASSERT_EQ(TableEntries(), PlainTable(colours, n, i % 2 == 0)) << "case " << i;
    }
}
