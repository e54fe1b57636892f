// The OKLab blend: its conversions against published values, its way back to codes against
// std::pow and rounding, and its fades against the plain reference of OkLabReference.h.
#include "ColourCode.h"
#include "FaderTestSupport.h"
#include "FirstLettersOracle.h"
#include "MarkupCheck.h"
#include "OkLab.h"
#include "OkLabReference.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string_view>

using namespace WendrikFaderV2;
using namespace FaderTest;

namespace {

// The code the fader's look-up gives a linear value.
std::u16string CodeDigits(double linear) {
    static const OkLab::Codes& codes = OkLab::Codes::Get();
    const OkLab::Codes::Run run = codes.Find(linear * OkLab::Codes::kScale);
    return {run.digits.begin(), run.digits.end()};
}

std::u16string Digits(int code) {
    const auto& pair = kHexPairs[static_cast<std::size_t>(code)];
    return {pair.begin(), pair.end()};
}

std::u16string Code(int r, int g, int b) {
    return u"#" + Digits(r) + Digits(g) + Digits(b);
}

std::u16string Code(const Rgb255& rgb) {
    return Code(RoundedTo255(rgb[0]), RoundedTo255(rgb[1]), RoundedTo255(rgb[2]));
}

std::u16string Code(Colour c) {
    return Code(GetRed(c), GetGreen(c), GetBlue(c));
}

// The reference's code for a linear value: std::pow, then halves to even.
int ReferenceCode(double linear) {
    return RoundedTo255(ReferenceEncoded255(linear));
}

// Every code of the table against the reference fade; returns the components that sat within a
// hair of a rounding boundary, where either side is right.
int ExpectTableMatchesReference(const std::vector<Colour>& colours, int n, bool compact) {
    BuildFadeTable(colours, n, compact, Blend::oklab);
    const std::vector<std::u16string> codes = TableCodes();
    const ReferenceFade reference(colours, n);
    int nearBoundary = 0;
    for (int k = 1; k <= n; ++k) {
        const std::u16string& code = codes[static_cast<std::size_t>(k - 1)];
        const Rgb255 want = reference.At(k);
        for (int c = 0; c < 3; ++c) {
            const int got = HexValue(code[1 + 2 * c]) * 16 + HexValue(code[2 + 2 * c]);
            if (!AgreesWith(got, want[c], nearBoundary)) {
                ADD_FAILURE() << "position " << k << " of " << n << ": component " << c << " is "
                              << got << ", the reference " << want[c];
                return nearBoundary;
            }
        }
    }
    return nearBoundary;
}

} // namespace

// Sources: white is L 1, a 0, b 0 and black 0 0 0 by construction (Ottosson normalises his
// matrices so). The sRGB primaries are the six-decimal OKLab values commonly published for them;
// Ottosson's matrices give each within 5e-7, so 1e-6 catches a wrong digit in any entry of weight.
TEST(OkLab, PublishedValues) {
    struct Case {
        Colour colour;
        double L, a, b;
    };
    const Case cases[] = {
        {Rgb(255, 255, 255), 1, 0, 0},           {kBlack, 0, 0, 0},
        {kRed, 0.627955, 0.224863, 0.125846},    {kGreen, 0.86644, -0.233888, 0.179498},
        {kBlue, 0.452014, -0.032457, -0.311528},
    };
    for (const Case& c : cases) {
        const OkLab::Lab lab = OkLab::FromColour(c.colour);
        EXPECT_NEAR(lab[0], c.L, 1e-6) << std::hex << c.colour;
        EXPECT_NEAR(lab[1], c.a, 1e-6) << std::hex << c.colour;
        EXPECT_NEAR(lab[2], c.b, 1e-6) << std::hex << c.colour;
        // The reference's own copy of the matrices must agree with the fader's.
        const Lab3 reference = ReferenceLab(c.colour);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(reference[static_cast<std::size_t>(k)], lab[static_cast<std::size_t>(k)],
                        1e-12);
    }
}

// color-mix(in oklab, red, blue) mixes the two Lab values component by component, halfway at 50%
// (CSS Color 5). A two-position fade's second position is exactly that halfway point; taken back
// from the published Lab values of red and blue, it is #8C53A2, where sRGB passes #800080.
TEST(OkLab, HalfwayFromRedToBlueIsTheCssMix) {
    const Lab3 red{0.627955, 0.224863, 0.125846}, blue{0.452014, -0.032457, -0.311528};
    const Lab3 halfway{(red[0] + blue[0]) / 2, (red[1] + blue[1]) / 2, (red[2] + blue[2]) / 2};
    const std::u16string expected = Code(ReferenceBack(halfway));
    ASSERT_NE(expected, u"#800080");

    BuildFadeTable({kRed, kBlue}, 2, true, Blend::oklab);
    EXPECT_EQ(TableCodes(), (std::vector<std::u16string>{u"#FF0000", expected}));
    EXPECT_EQ(FadeText(u"ab", {kRed, kBlue}, false, true, Blend::oklab),
              u"<font color=#FF0000>a<font color=" + expected + u">b");
    BuildFadeTable({kRed, kBlue}, 2, true);
    EXPECT_EQ(TableCodes()[1], u"#800080");
}

// Exact for every one of them, which is more than the 1 per component allowed.
TEST(OkLab, RoundTripsTheSixteenLevelGrid) {
    for (int r = 0; r <= 255; r += 17)
        for (int g = 0; g <= 255; g += 17)
            for (int b = 0; b <= 255; b += 17) {
                const Components linear = OkLab::ToLinear(OkLab::FromColour(Rgb(r, g, b)));
                ASSERT_EQ(CodeDigits(linear[0]), Digits(r)) << r << ' ' << g << ' ' << b;
                ASSERT_EQ(CodeDigits(linear[1]), Digits(g)) << r << ' ' << g << ' ' << b;
                ASSERT_EQ(CodeDigits(linear[2]), Digits(b)) << r << ' ' << g << ' ' << b;
            }
}

// Both the look-up and std::pow with rounding are steps that only go up. Where the reference
// steps from c to c + 1 (found here by halving the doubles between), the look-up must give c
// one double below and c + 1 at the step: then the two agree everywhere, ties included.
TEST(OkLab, CodesAreThoseOfPowAndRounding) {
    const OkLab::Codes& codes = OkLab::Codes::Get();
    for (int c = 0; c < 255; ++c) {
        std::uint64_t below = std::bit_cast<std::uint64_t>(0.0);
        std::uint64_t at = std::bit_cast<std::uint64_t>(1.0);
        while (at - below > 1) { // non-negative doubles are ordered as their bits
            const std::uint64_t middle = below + (at - below) / 2;
            (ReferenceCode(std::bit_cast<double>(middle)) > c ? at : below) = middle;
        }
        const double step = std::bit_cast<double>(at);
        ASSERT_EQ(ReferenceCode(step), c + 1);
        ASSERT_EQ(CodeDigits(step), Digits(c + 1)) << "the step of " << c << " at " << step;
        ASSERT_EQ(CodeDigits(std::bit_cast<double>(below)), Digits(c)) << "below " << step;
        // The fade keeps a code while its run holds the value: the runs must end at the step.
        const double scaledStep = step * OkLab::Codes::kScale;
        const double scaledBelow = std::bit_cast<double>(below) * OkLab::Codes::kScale;
        const OkLab::Codes::Run upper = codes.Find(scaledStep), lower = codes.Find(scaledBelow);
        ASSERT_TRUE(upper.Holds(OkLab::Codes::Bits(scaledStep)) &&
                    lower.Holds(OkLab::Codes::Bits(scaledBelow)))
            << "the step of " << c;
        ASSERT_FALSE(upper.Holds(OkLab::Codes::Bits(scaledBelow)) ||
                     lower.Holds(OkLab::Codes::Bits(scaledStep)))
            << "the step of " << c;
    }
    // Out of the gamut, as mixes may go, and a spread of values in it.
    for (double linear : {-3.5, -1e-300, -0.0, 1.0, 1.0000001, 4.4}) {
        EXPECT_EQ(CodeDigits(linear), Digits(ReferenceCode(linear))) << linear;
        const double scaled = linear * OkLab::Codes::kScale;
        EXPECT_TRUE(codes.Find(scaled).Holds(OkLab::Codes::Bits(scaled))) << linear;
    }
    std::mt19937_64 engine(2026);
    std::uniform_real_distribution<double> linear(-0.2, 1.2);
    for (int i = 0; i < 1'000'000; ++i) {
        const double x = linear(engine);
        ASSERT_EQ(CodeDigits(x), Digits(ReferenceCode(x))) << std::hexfloat << x;
    }
}

// The same positions as sRGB's: each segment starts exactly on its colour, the remainder is the
// last colour, a segment between equal colours is that colour, and fewer positions than segments
// leave only the last colour.
TEST(OkLabFadeTable, EndsRemaindersAndEqualColours) {
    struct Case {
        int n;
        std::vector<Colour> colours;
        std::vector<std::pair<int, Colour>> exact; // position, colour
    };
    const Colour teal = Rgb(10, 200, 30);
    const Case cases[] = {
        // m = 3: segments start at 1, 4, 7; 10 is the remainder.
        {10, {kRed, kGreen, kBlue, kBlack}, {{1, kRed}, {4, kGreen}, {7, kBlue}, {10, kBlack}}},
        // m = 4, remainder 1: "steps of 255/4.5" in sRGB, the same positions here.
        {9, {kRed, kGreen, kBlue}, {{1, kRed}, {5, kGreen}, {9, kBlue}}},
        {7,
         {teal, teal},
         {{1, teal}, {2, teal}, {3, teal}, {4, teal}, {5, teal}, {6, teal}, {7, teal}}},
        // m = 2: the first segment is teal throughout, the second starts on teal.
        {5, {teal, teal, kBlue}, {{1, teal}, {2, teal}, {3, teal}, {5, kBlue}}},
        {2, {kRed, kGreen, kBlue, kBlack}, {{1, kBlack}, {2, kBlack}}},
        {1, {kRed, kBlue}, {{1, kRed}}},
    };
    for (const Case& c : cases)
        for (bool compact : {true, false}) {
            BuildFadeTable(c.colours, c.n, compact, Blend::oklab);
            ASSERT_EQ(FadeTag.size(), static_cast<std::size_t>(c.n) + 1);
            const std::vector<std::u16string> codes = TableCodes();
            for (const auto& [k, colour] : c.exact)
                EXPECT_EQ(codes[static_cast<std::size_t>(k - 1)], Code(colour))
                    << "position " << k << " of " << c.n;
        }
}

TEST(OkLabFadeTable, MatchesThePlainReference) {
    const std::vector<std::vector<Colour>> lists = {
        {kRed, kGreen, kBlue, kBlack},
        {kRed, kBlue},
        {Rgb(255, 255, 255), Rgb(1, 2, 3), Rgb(254, 0, 127)},
        {kBlack, Rgb(3, 0, 0)},
    };
    int nearBoundary = 0, components = 0;
    for (const auto& colours : lists)
        for (int n = static_cast<int>(colours.size()); n <= 300; ++n) {
            nearBoundary += ExpectTableMatchesReference(colours, n, n % 2 == 0);
            components += 3 * n;
        }
    std::mt19937 engine(1509);
    auto between = [&engine](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine);
    };
    for (int i = 0; i < 400; ++i) {
        std::vector<Colour> colours(between(2, 4));
        for (Colour& c : colours)
            c = between(0, 0xFFFFFF);
        const int n = between(static_cast<int>(colours.size()), i < 20 ? 32767 : 2000);
        nearBoundary += ExpectTableMatchesReference(colours, n, i % 2 == 0);
        components += 3 * n;
    }
    // The two routes part only in the last bits: a value that close to a boundary is rare.
    EXPECT_LT(nearBoundary, components / 100000 + 1);
}

// A line without breaks or clusters is faded in one pass and its table written when read; other
// lines and modes go through the table. Either way the tags must be the table builder's and hold
// against the reference.
TEST(OkLabFadeText, EveryRouteGivesTheTablesTags) {
    std::mt19937 engine(77);
    auto between = [&engine](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine);
    };
    constexpr std::u16string_view kPlain = u"abc XYZ,.!";
    constexpr std::u16string_view kAny = u"ab Z9\"\r\n\u00e9\u0301\U0001F600";
    for (int i = 0; i < 1200; ++i) {
        const std::u16string_view alphabet = i % 2 == 0 ? kPlain : kAny;
        std::u16string text(between(4, i % 100 == 0 ? 32767 : 200), u'x');
        for (char16_t& c : text)
            c = alphabet[static_cast<std::size_t>(between(0, int(alphabet.size()) - 1))];
        std::vector<Colour> colours(between(2, 4));
        for (Colour& c : colours)
            c = between(0, 1) ? between(0, 0xFFFFFF) : (between(0, 1) ? kBlack : 0xFFFFFF);
        const bool wave = i % 4 == 3, compact = i % 8 != 7; // mostly as Send fades
        const std::u16string faded = FadeText(text, colours, wave, compact, Blend::oklab);
        const TagTable deferred = FadeTag; // a copy keeps the recipe, blend and all
        BuildFadeTable(colours, static_cast<int>(text.size()), compact, Blend::oklab);
        ASSERT_EQ(deferred, FadeTag) << "case " << i;
        ASSERT_EQ(CheckFadeText(text, colours, wave, compact, faded, Blend::oklab, &FadeTag), "")
            << "case " << i;
    }
}

TEST(OkLabFirstLetters, MarksWithTheOkLabTable) {
    std::u16string text = u"hello big world";
    BuildFadeTable({kRed, kBlue}, 3, true, Blend::oklab);
    const std::u16string middle(FadeTag[2]), last(FadeTag[3]);
    ASSERT_NE(middle, u"<font color=#AA0055>"); // the sRGB tag
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, true, Blend::oklab),
              u"<font color=#FF0000><b>h</b><font color=#000000>ello " + middle +
                  u"<b>b</b><font color=#000000>ig " + last + u"<b>w</b><font color=#000000>orld");

    std::mt19937 engine(4711);
    auto between = [&engine](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine);
    };
    for (int i = 0; i < 1000; ++i) {
        std::u16string original(between(0, 80), u' ');
        for (char16_t& c : original)
            c = u"  \"\nab9\u00e9"[between(0, 7)];
        std::vector<Colour> colours(between(1, 4));
        for (Colour& c : colours)
            c = between(0, 0xFFFFFF);
        const bool compact = between(0, 1);
        RefusalCapture refusals;
        const OracleOutcome expected = OracleFirstLetters(original, colours, compact, Blend::oklab);
        std::u16string marked = original;
        ASSERT_EQ(FadeFirstLetters(marked, colours, compact, Blend::oklab), expected.result)
            << "case " << i;
        ASSERT_EQ(marked, expected.text) << "case " << i;
    }
}
