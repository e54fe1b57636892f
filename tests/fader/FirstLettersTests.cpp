#include "FaderTestSupport.h"

#include <gtest/gtest.h>

using namespace WendrikFaderV2;
using namespace FaderTest;

namespace {

const std::u16string kBlackCompact = u"<font color=#000000>";

// A compact mark as the first-letter fade writes it.
std::u16string Mark(std::u16string_view code, char16_t c) {
    return u"<font color=" + std::u16string(code) + u"><b>" + c + u"</b>" + kBlackCompact;
}

} // namespace

TEST(CountWords, CountsTheFirstWordAndEachSeparatedStart) {
    EXPECT_EQ(CountWords(u"I have 2 cats"), 4);
    EXPECT_EQ(CountWords(u"say \"hi\" now"), 3);
    EXPECT_EQ(CountWords(u""), 1);
    EXPECT_EQ(CountWords(u"hi there"), 2);
    EXPECT_EQ(CountWords(u":) hi there"), 3);
    // Only space, quote and LF separate; only ASCII letters and digits start words.
    EXPECT_EQ(CountWords(u"a\tb\rc,d e\u00e9 f\"g\nh \"i"), 6);
    EXPECT_EQ(CountWords(u"ends with space "), 3);
}

TEST(FadeFirstLetters, WorkedExamples) {
    struct Case {
        std::u16string text;
        std::vector<Colour> colours;
        bool compact;
        std::u16string result;
    };
    const Case cases[] = {
        {u"hello big world",
         {kRed, kBlue},
         true,
         Mark(u"#FF0000", u'h') + u"ello " + Mark(u"#AA0055", u'b') + u"ig " +
             Mark(u"#5500AA", u'w') + u"orld"},
        {u"hello big world",
         {kRed, kBlue},
         false,
         u"<font color=\"#000000\"><font color=\"#FF0000\"><b>h</b></font>ello "
         u"<font color=\"#AA0055\"><b>b</b></font>ig <font color=\"#5500AA\"><b>w</b></font>"
         u"orld</font>"},
        // Words after quotes are marked after all words after spaces.
        {u"say \"hi\" now",
         {kRed, kBlue},
         true,
         Mark(u"#FF0000", u's') + u"ay \"" + Mark(u"#5500AA", u'h') + u"i\" " +
             Mark(u"#AA0055", u'n') + u"ow"},
        {u":) hi there",
         {kRed, kBlue},
         true,
         u":) " + Mark(u"#AA0055", u'h') + u"i " + Mark(u"#5500AA", u't') + u"here"},
        {u"I have 2 cats",
         {kRed, kGreen, kBlue},
         true,
         Mark(u"#FF0000", u'I') + u" " + Mark(u"#808000", u'h') + u"ave " + Mark(u"#00FF00", u'2') +
             u" " + Mark(u"#008080", u'c') + u"ats"},
    };
    for (const Case& c : cases) {
        RefusalCapture refusals;
        std::u16string text = c.text;
        const std::u16string result = FadeFirstLetters(text, c.colours, c.compact);
        EXPECT_EQ(result, c.result);
        EXPECT_TRUE(refusals.messages.empty());
        if (c.compact) {
            EXPECT_EQ(text, result);
        }
    }
}

TEST(FadeFirstLetters, TrimsSpacesAndLeavesTheMarkedTextInTheCallersVariable) {
    std::u16string text = u"  a b c d  ";
    const std::u16string expected = Mark(u"#FF0000", u'a') + u" " + Mark(u"#00FF00", u'b') + u" " +
                                    Mark(u"#0000FF", u'c') + u" " + Mark(u"#000000", u'd');
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kGreen, kBlue, kBlack}, true), expected);
    EXPECT_EQ(text, expected);

    // Full mode: the variable holds the marked text without the wrapper.
    text = u" \tx ";
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, false), u"<font color=\"#000000\">\tx</font>");
    EXPECT_EQ(text, u"\tx");
}

TEST(FadeFirstLetters, EdgeTexts) {
    std::u16string text = u"Hello World";
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, true),
              Mark(u"#FF0000", u'H') + u"ello " + Mark(u"#800080", u'W') + u"orld");

    text = u"hi there you"; // three words are enough for four colours; black goes unused
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kGreen, kBlue, kBlack}, true),
              Mark(u"#FF0000", u'h') + u"i " + Mark(u"#00FF00", u't') + u"here " +
                  Mark(u"#0000FF", u'y') + u"ou");

    text = u"    ";
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, true), u"");
    text = u"    ";
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, false), u"<font color=\"#000000\"></font>");
    EXPECT_EQ(text, u"");

    text = u"hi\""; // a separator at the very end starts nothing
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, true), Mark(u"#FF0000", u'h') + u"i\"");

    text = u"one\r\ntwo"; // LF starts a word, CR does not; breaks stay as they are
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, true),
              Mark(u"#FF0000", u'o') + u"ne\r\n" + Mark(u"#800080", u't') + u"wo");

    text = u"\u00e9t\u00e9 \"ok"; // an accented first letter is not marked; position 1 unused
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, true),
              u"\u00e9t\u00e9 \"" + Mark(u"#800080", u'o') + u"k");
}

TEST(FadeFirstLetters, OneColourMarksEveryWordInIt) {
    std::u16string text = u"a b";
    EXPECT_EQ(FadeFirstLetters(text, {kGreen}, true),
              Mark(u"#00FF00", u'a') + u" " + Mark(u"#00FF00", u'b'));
}

// A word's first letter is its first cluster: the bold mark takes the accent typed after it.
TEST(FadeFirstLetters, MarksTheWholeFirstCluster) {
    std::u16string text = u"e\u0301cole ok";
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, true),
              u"<font color=#FF0000><b>e\u0301</b><font color=#000000>cole <font "
              u"color=#800080><b>o</b><font color=#000000>k");
    text = u"a\u0308\u0323 b";
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, false),
              u"<font color=\"#000000\"><font color=\"#FF0000\"><b>a\u0308\u0323</b></font> "
              u"<font color=\"#800080\"><b>b</b></font></font>");
}
