#include "FaderTestSupport.h"

#include <gtest/gtest.h>

using namespace WendrikFaderV2;
using namespace FaderTest;
using Codes = std::vector<std::u16string>;

namespace {

struct TableCase {
    int n;
    std::vector<Colour> colours;
    Codes codes;
};

void ExpectCodes(const TableCase& c) {
    BuildFadeTable(c.colours, c.n, true);
    ASSERT_EQ(FadeTag.size(), static_cast<std::size_t>(c.n) + 1);
    EXPECT_EQ(FadeTag[0], u"");
    EXPECT_EQ(TableCodes(), c.codes) << "n = " << c.n;
}

} // namespace

TEST(FadeTable, WorkedExamples) {
    const TableCase cases[] = {
        {3, {kRed, kBlue}, {u"#FF0000", u"#AA0055", u"#5500AA"}},
        {2, {kRed, kBlue}, {u"#FF0000", u"#800080"}},
        {5, {kRed, kGreen, kBlue}, {u"#FF0000", u"#996600", u"#00FF00", u"#009966", u"#0000FF"}},
        // q is the double nearest 10/3; a single-precision quotient would give #B24D00.
        {10,
         {kRed, kGreen, kBlue, kBlack},
         {u"#FF0000", u"#B24C00", u"#669900", u"#00FF00", u"#00B24C", u"#006699", u"#0000FF",
          u"#0000B2", u"#000066", u"#000000"}},
        {2, {kRed, kGreen, kBlue, kBlack}, {u"#000000", u"#000000"}},
        {3, {kBlue, kBlack, kBlue}, {u"#0000FF", u"#000000", u"#0000FF"}},
    };
    for (const TableCase& c : cases)
        ExpectCodes(c);
}

TEST(FadeTable, EdgeCounts) {
    const TableCase cases[] = {
        {4, {Rgb(1, 2, 3)}, {u"#010203", u"#010203", u"#010203", u"#010203"}},
        {1, {kRed, kBlue}, {u"#FF0000"}},
        {3, {kRed, kGreen, kBlue}, {u"#FF0000", u"#00FF00", u"#0000FF"}},
        {4, {kGreen, kGreen, kRed}, {u"#00FF00", u"#00FF00", u"#00FF00", u"#808000"}},
        {1, {kRed, kGreen, kBlue}, {u"#0000FF"}},
    };
    for (const TableCase& c : cases)
        ExpectCodes(c);
}

TEST(FadeTable, AccumulatedHalvesRoundToEven) {
    ExpectCodes({3, {kBlack, Rgb(3, 0, 0)}, {u"#000000", u"#010000", u"#020000"}});
    ExpectCodes({2, {kBlack, Rgb(1, 0, 0)}, {u"#000000", u"#000000"}});
    ExpectCodes({2, {Rgb(3, 0, 0), kBlack}, {u"#030000", u"#020000"}});
}

TEST(FadeTable, FullModeQuotesTheSameCodes) {
    BuildFadeTable({kRed, kBlue}, 3, false);
    EXPECT_EQ(FadeTag[1], u"<font color=\"#FF0000\">");
    EXPECT_EQ(FadeTag[2], u"<font color=\"#AA0055\">");
    BuildFadeTable({kRed, kBlue}, 3, true);
    EXPECT_EQ(FadeTag[2], u"<font color=#AA0055>");
}

TEST(FadeTable, EachCallReplacesThePreviousTable) {
    BuildFadeTable({kRed, kBlue}, 40, false);
    BuildFadeTable({kGreen, kBlack}, 2, true);
    EXPECT_EQ(TableEntries(), (Codes{u"", u"<font color=#00FF00>", u"<font color=#008000>"}));
}

TEST(FadeTable, OutsideTheDomainOnlyEntryZeroRemains) {
    BuildFadeTable({kRed, kBlue}, 0, true);
    EXPECT_EQ(TableEntries(), Codes{u""});
    BuildFadeTable({}, 5, true);
    EXPECT_EQ(TableEntries(), Codes{u""});
    BuildFadeTable({kRed, kBlue}, -3, true);
    EXPECT_EQ(TableEntries(), Codes{u""});
}

TEST(FadeTable, LongTableEndsJustShortOfTheLastColour) {
    // 32766 positions over three segments leave no remainder: the final entry is one step
    // short of black, and each segment starts exactly on its colour.
    BuildFadeTable({kRed, kGreen, kBlue, kBlack}, 32766, true);
    ASSERT_EQ(FadeTag.size(), 32767u);
    EXPECT_EQ(FadeTag[1], u"<font color=#FF0000>");
    EXPECT_EQ(FadeTag[10923], u"<font color=#00FF00>");
    EXPECT_EQ(FadeTag[21845], u"<font color=#0000FF>");
    EXPECT_EQ(FadeTag[32766], u"<font color=#000000>"); // 255/10922 rounds to 0
}
