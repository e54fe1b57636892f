// Randomised checks with fixed seeds, so a failure repeats.
#include "FaderTestSupport.h"
#include "FirstLettersOracle.h"
#include "MarkupCheck.h"

#include <gtest/gtest.h>

#include <random>

using namespace WendrikFaderV2;
using namespace FaderTest;

namespace {

// Rich in separators and breaks, with characters that look like word starts but are not.
constexpr std::u16string_view kAlphabet =
    u"      \"\"\n\n\r\rabcXYZ09\t.,:)<>&#\u00e9\u00c9\u212a\u0130\u4e2d\U0001F600";

class Randomiser {
  public:
    explicit Randomiser(unsigned seed) : engine_(seed) {}

    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }
    bool Flip() { return Between(0, 1) == 1; }

    std::u16string Text(int maxLength) {
        std::u16string text(Between(0, maxLength), u' ');
        for (char16_t& c : text)
            c = kAlphabet[Between(0, static_cast<int>(kAlphabet.size()) - 1)];
        return text;
    }

    std::vector<Colour> Colours(int low, int high) {
        std::vector<Colour> colours(Between(low, high));
        for (Colour& c : colours)
            c = Flip() ? Between(0, 0xFFFFFF) : (Flip() ? kBlack : 0xFFFFFF); // extremes often
        return colours;
    }

  private:
    std::mt19937 engine_;
};

} // namespace

TEST(FadeTextProperties, EveryCharacterCarriesAColourWithinItsSegment) {
    Randomiser random(20240611);
    RefusalCapture refusals;
    int faded = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::u16string text = random.Text(i < 3000 ? 40 : 400);
        const std::vector<Colour> colours = random.Colours(2, 4);
        const bool wave = random.Flip(), compact = random.Flip();
        refusals.messages.clear();
        const std::u16string result = FadeText(text, colours, wave, compact);
        if (text.size() < colours.size()) {
            EXPECT_EQ(result, text);
            EXPECT_EQ(refusals.messages.size(), 1u);
            continue;
        }
        ++faded;
        ASSERT_TRUE(refusals.messages.empty());
        ASSERT_EQ(FadeTag.size(), text.size() + 1);
        const std::string fault = CheckFadeText(text, colours, wave, compact, result);
        ASSERT_EQ(fault, "") << "case " << i;
    }
    EXPECT_GT(faded, 3000); // the generator must mostly produce fadeable texts
}

TEST(FadeTextProperties, LongTextsStayWithinTheirSegments) {
    Randomiser random(77);
    for (int i = 0; i < 20; ++i) {
        const std::u16string text = random.Text(32767);
        const std::vector<Colour> colours = random.Colours(2, 4);
        if (text.size() < colours.size())
            continue;
        const std::u16string result = FadeText(text, colours, false, true);
        ASSERT_EQ(CheckFadeText(text, colours, false, true, result), "") << "case " << i;
    }
}

TEST(FirstLettersProperties, MatchesThePlainScan) {
    Randomiser random(4711);
    RefusalCapture refusals;
    int marked = 0;
    for (int i = 0; i < 6000; ++i) {
        const std::u16string original = random.Text(i % 10 == 0 ? 300 : 50);
        const std::vector<Colour> colours = random.Colours(i % 50 == 0 ? 0 : 1, 4);
        const bool compact = random.Flip();

        ASSERT_EQ(CountWords(original), OracleCountWords(original)) << "case " << i;

        const OracleOutcome expected = OracleFirstLetters(original, colours, compact);
        const auto expectedTable = FadeTag;
        refusals.messages.clear();
        std::u16string text = original;
        const std::u16string result = FadeFirstLetters(text, colours, compact);

        ASSERT_EQ(result, expected.result) << "case " << i;
        ASSERT_EQ(text, expected.text) << "case " << i;
        // Marks go only before ASCII word starts, so never between the halves of a pair.
        ASSERT_EQ(SurrogatePairs(result), SurrogatePairs(original)) << "case " << i;
        if (expected.refusal.empty()) {
            ++marked;
            ASSERT_TRUE(refusals.messages.empty()) << "case " << i;
            ASSERT_EQ(FadeTag, expectedTable) << "case " << i;
        } else {
            ASSERT_EQ(refusals.messages, std::vector<std::u16string>{expected.refusal});
        }
    }
    EXPECT_GT(marked, 4000);
}

// Pieces that join into clusters of every kind, and pieces that must stay apart from them.
TEST(FadeTextProperties, ClustersKeepTheirTagsOutAndTheirMarksWhole) {
    // clang-format off
    static constexpr std::u16string_view kPieces[] = {
        u"a", u"Z", u"7", u" ", u"\"", u"\r", u"\n", u"\t", u"\u00e9",
        u"\u0301", u"\u0308", u"\u0903",                   // accents and a spacing mark
        u"\u200D", u"\U0001F468", u"\U0001F3FD", u"\u00A9", // joiner, pictographs, skin tone
        u"\U0001F1EF", u"\U0001F1F5",                       // regional indicators
        u"\u1112", u"\u1161", u"\u11AB", u"\uD55C",         // Hangul jamo L V T, a syllable LV
        u"\u0600", u"\xD83D",                               // a prepended mark, a lone half
    };
    // clang-format on
    Randomiser random(1509);
    RefusalCapture refusals;
    int clusters = 0;
    for (int i = 0; i < 3000; ++i) {
        std::u16string text;
        for (int pieces = random.Between(0, 30); pieces > 0; --pieces)
            text += kPieces[random.Between(0, static_cast<int>(std::size(kPieces)) - 1)];
        const std::vector<Colour> colours = random.Colours(2, 4);
        const bool wave = random.Flip(), compact = random.Flip();
        for (std::size_t at = 0; at < text.size(); at = ClusterEnd(text, at)) {
            const bool pair =
                at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]);
            clusters += text[at] != u'\r' && ClusterEnd(text, at) - at > (pair ? 2u : 1u);
        }

        const std::u16string faded = FadeText(text, colours, wave, compact);
        if (text.size() >= colours.size()) {
            ASSERT_EQ(CheckFadeText(text, colours, wave, compact, faded), "") << "case " << i;
        }
        const OracleOutcome expected = OracleFirstLetters(text, colours, compact);
        std::u16string marked = text;
        ASSERT_EQ(FadeFirstLetters(marked, colours, compact), expected.result) << "case " << i;
    }
    EXPECT_GT(clusters, 5000) << "the pieces must often join into clusters";
}
