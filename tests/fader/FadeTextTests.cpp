#include "FaderTestSupport.h"
#include "MarkupCheck.h"

#include <gtest/gtest.h>

using namespace WendrikFaderV2;
using namespace FaderTest;

namespace {

struct TextCase {
    std::u16string text;
    std::vector<Colour> colours;
    bool wave;
    bool compact;
    std::u16string result;
};

} // namespace

TEST(FadeText, WorkedExamples) {
    const TextCase cases[] = {
        {u"abc",
         {kRed, kBlue},
         false,
         true,
         u"<font color=#FF0000>a<font color=#AA0055>b<font color=#5500AA>c"},
        {u"abc",
         {kRed, kBlue},
         false,
         false,
         u"<font color=\"#FF0000\">a</font><font color=\"#AA0055\">b</font>"
         u"<font color=\"#5500AA\">c</font>"},
        {u"abcde",
         {kRed, kBlue},
         true,
         true,
         u"<font color=#FF0000><sub>a<font color=#CC0033></sub>b<font color=#990066><sup>c"
         u"<font color=#660099></sup>d<font color=#3300CC><sub>e"},
        // The phase skips CR and LF, but their positions still use up colours.
        {u"ab\r\ncd",
         {kRed, kBlue},
         true,
         true,
         u"<font color=#FF0000><sub>a<font color=#D4002A></sub>b<br><font color=#5500AA><sup>c"
         u"<font color=#2A00D4></sup>d"},
        {u"Hi!",
         {kBlue, kBlack, kBlue},
         false,
         true,
         u"<font color=#0000FF>H<font color=#000000>i<font color=#0000FF>!"},
    };
    for (const TextCase& c : cases) {
        RefusalCapture refusals;
        EXPECT_EQ(FadeText(c.text, c.colours, c.wave, c.compact), c.result);
        EXPECT_TRUE(refusals.messages.empty());
    }
}

TEST(FadeText, EdgeTexts) {
    const TextCase cases[] = {
        {u"ab", {kRed, kBlue}, false, true, u"<font color=#FF0000>a<font color=#800080>b"},
        {u"\r\n", {kRed, kBlue}, false, true, u"<br>"},
        {u"\r\n", {kRed, kBlue}, true, false, u"<br>"},
        // Markup in the text is not escaped.
        {u"a<b",
         {kRed, kBlue},
         false,
         true,
         u"<font color=#FF0000>a<font color=#AA0055><<font color=#5500AA>b"},
        {u"\u00e9\u4e2d",
         {kRed, kBlue},
         false,
         true,
         u"<font color=#FF0000>\u00e9<font color=#800080>\u4e2d"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(FadeText(c.text, c.colours, c.wave, c.compact), c.result);
}

TEST(FadeText, LeavesTheTableFilledForTheTextLength) {
    // 9 positions, 2 segments of 4, remainder 1; a line without breaks is faded in one pass and
    // its table written only when read, which must read the same.
    for (const std::u16string text : {u"one, two!", u"one\r\ntwo!"}) {
        const std::u16string result = FadeText(text, {kRed, kGreen, kBlue}, false, true);
        ASSERT_EQ(FadeTag.size(), text.size() + 1);
        EXPECT_EQ(FadeTag[5], u"<font color=#00FF00>");
        EXPECT_EQ(FadeTag[8], u"<font color=#0055AA>"); // steps of 255/4.5, not 255/4
        EXPECT_EQ(FadeTag[9], u"<font color=#0000FF>");
        EXPECT_EQ(result.substr(result.size() - 21), u"<font color=#0000FF>!");
    }
}

TEST(FadeText, WaveCyclesThroughAllFourTags) {
    const std::u16string result = FadeText(u"abcdefghi", {kBlack, kBlack}, true, true);
    EXPECT_EQ(result, u"<font color=#000000><sub>a<font color=#000000></sub>b"
                      u"<font color=#000000><sup>c<font color=#000000></sup>d"
                      u"<font color=#000000><sub>e<font color=#000000></sub>f"
                      u"<font color=#000000><sup>g<font color=#000000></sup>h"
                      u"<font color=#000000><sub>i");
}

// A character beyond the 16-bit range is two halves; markup between them would break it in two.
// The low half still uses up its colour position (#800080 below goes unused).
TEST(FadeText, KeepsSurrogatePairsWhole) {
    const TextCase cases[] = {
        {u"a\U0001F600b",
         {kRed, kBlue},
         false,
         true,
         u"<font color=#FF0000>a<font color=#BF0040>\U0001F600<font color=#4000BF>b"},
        // One character, one wave step, closed after both halves.
        {u"a\U0001F600b",
         {kRed, kBlue},
         true,
         false,
         u"<font color=\"#FF0000\"><sub>a</font><font color=\"#BF0040\"></sub>\U0001F600</font>"
         u"<font color=\"#4000BF\"><sup>b</font>"},
        // Halves that are not a pair, low before high or alone, are faded like any character.
        {u"\xDE00\xD83Dx",
         {kRed, kBlue},
         false,
         true,
         u"<font color=#FF0000>\xDE00<font color=#AA0055>\xD83D<font color=#5500AA>x"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(FadeText(c.text, c.colours, c.wave, c.compact), c.result);

    const std::u16string line = u"\u03A9 caf\u00E9 \u2603 \u65E5\u672C \U0001F600";
    const std::u16string result = FadeText(line, {kRed, kGreen, kBlue}, false, true);
    EXPECT_EQ(SurrogatePairs(result), 1u);
    EXPECT_EQ(CheckFadeText(line, {kRed, kGreen, kBlue}, false, true, result), "");
}

// A cluster, characters a reader sees as one, takes the tag of its first position and one wave
// step; the positions of its other units go unused, as a surrogate pair's low half does.
TEST(FadeText, KeepsClustersWhole) {
    const TextCase cases[] = {
        // e with a combining acute; 3 positions, the acute's #AA0055 unused.
        {u"e\u0301a",
         {kRed, kBlue},
         false,
         true,
         u"<font color=#FF0000>e\u0301<font color=#5500AA>a"},
        {u"e\u0301a",
         {kRed, kBlue},
         true,
         false,
         u"<font color=\"#FF0000\"><sub>e\u0301</font><font color=\"#5500AA\"></sub>a</font>"},
        // A flag is two regional indicators; a third one starts another.
        {u"\U0001F1EF\U0001F1F5\U0001F1EF",
         {kRed, kBlue},
         false,
         true,
         u"<font color=#FF0000>\U0001F1EF\U0001F1F5<font color=#5500AA>\U0001F1EF"},
        // Thumbs up with a skin tone, a letter with two marks stacked: 5 positions, steps of 51.
        {u"\U0001F44D\U0001F3FDx",
         {kRed, kBlue},
         false,
         true,
         u"<font color=#FF0000>\U0001F44D\U0001F3FD<font color=#3300CC>x"},
        {u"a\u0308\u0323\u0301b",
         {kRed, kBlue},
         false,
         true,
         u"<font color=#FF0000>a\u0308\u0323\u0301<font color=#3300CC>b"},
        // Hangul jamo L V T make one syllable; the next L starts another. Steps of 63.75.
        {u"\u1112\u1161\u11AB\u1112",
         {kRed, kBlue},
         false,
         true,
         u"<font color=#FF0000>\u1112\u1161\u11AB<font color=#4000BF>\u1112"},
        // A family joined by zero-width joiners, then a line break that keeps its treatment:
        // 11 positions, the last one 10 steps of 255/11 from red.
        {u"\U0001F468\u200D\U0001F469\u200D\U0001F467\r\n!",
         {kRed, kBlue},
         true,
         true,
         u"<font color=#FF0000><sub>\U0001F468\u200D\U0001F469\u200D\U0001F467<br>"
         u"<font color=#1700E8></sub>!"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(FadeText(c.text, c.colours, c.wave, c.compact), c.result);
        EXPECT_EQ(CheckFadeText(c.text, c.colours, c.wave, c.compact, c.result), "");
    }
}
