#include "Markup.h"

#include <gtest/gtest.h>

using namespace ChatMarkup;

namespace {

std::wstring Texts(const std::vector<StyledRun>& runs) {
    std::wstring all;
    for (const StyledRun& run : runs)
        all += run.lineBreak ? L"|" : run.text;
    return all;
}

TEST(ParseColour, AcceptsSixHexDigitsWithOrWithoutHash) {
    EXPECT_EQ(ParseColour(L"#FF0080"), (Rgb{255, 0, 128}));
    EXPECT_EQ(ParseColour(L"c0c0c0"), (Rgb{192, 192, 192}));
    EXPECT_FALSE(ParseColour(L"#FF00"));
    EXPECT_FALSE(ParseColour(L"#GG0000"));
    EXPECT_FALSE(ParseColour(L"#FF00000"));
    EXPECT_FALSE(ParseColour(L""));
}

TEST(ParseMarkup, FadedCharactersEachTakeTheirColourInTheFace) {
    const auto runs = ParseMarkup(
        L"<font face=Arial><font color=#FF0000>a<font color=#AA0055>b<font color=#5500AA>c</font>");
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, L"a");
    EXPECT_EQ(runs[0].style.colour, (Rgb{0xFF, 0, 0}));
    EXPECT_EQ(runs[1].style.colour, (Rgb{0xAA, 0, 0x55}));
    EXPECT_EQ(runs[2].text, L"c");
    EXPECT_EQ(runs[2].style.colour, (Rgb{0x55, 0, 0xAA}));
    for (const StyledRun& run : runs)
        EXPECT_EQ(run.style.face, L"Arial");
}

TEST(ParseMarkup, SwitchesTurnOnAndOffAndUnclosedOnesLastToTheEnd) {
    const auto runs = ParseMarkup(L"x<b>bold</b>y<sub>lo</sub><sup>hi</sup><B>rest");
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_FALSE(runs[0].style.bold);
    EXPECT_TRUE(runs[1].style.bold);
    EXPECT_EQ(runs[1].text, L"bold");
    EXPECT_FALSE(runs[2].style.bold);
    EXPECT_TRUE(runs[3].style.sub);
    EXPECT_FALSE(runs[3].style.sup);
    EXPECT_TRUE(runs[4].style.sup);
    EXPECT_FALSE(runs[4].style.sub);
    EXPECT_EQ(runs[5].text, L"rest");
    EXPECT_TRUE(runs[5].style.bold);
}

TEST(ParseMarkup, SubAndSupExcludeEachOther) {
    const auto runs = ParseMarkup(L"<sub>a<sup>b");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_TRUE(runs[1].style.sup);
    EXPECT_FALSE(runs[1].style.sub);
}

TEST(ParseMarkup, ClosingFontReturnsToTheOuterFontButKeepsSwitches) {
    const auto runs = ParseMarkup(
        L"<font face=symbol color=\"#c0c0c0\">f</font><font face=tahoma><b> Quillon</font>z");
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].style.face, L"symbol");
    EXPECT_EQ(runs[0].style.colour, (Rgb{0xC0, 0xC0, 0xC0}));
    EXPECT_EQ(runs[1].style.face, L"tahoma");
    EXPECT_FALSE(runs[1].style.colour);
    EXPECT_TRUE(runs[1].style.bold);
    EXPECT_EQ(runs[2].text, L"z");
    EXPECT_EQ(runs[2].style.face, L"");
    EXPECT_TRUE(runs[2].style.bold);
}

TEST(ParseMarkup, AttributeValuesQuotedOrBareAndFacesWithBlanks) {
    EXPECT_EQ(ParseMarkup(L"<font face='Times New Roman'>a")[0].style.face, L"Times New Roman");
    EXPECT_EQ(ParseMarkup(L"<font face=Comic Sans MS>a")[0].style.face, L"Comic Sans MS");
    const auto both = ParseMarkup(L"<FONT FACE=Comic Sans MS COLOR=#00ff00>a");
    ASSERT_EQ(both.size(), 1u);
    EXPECT_EQ(both[0].style.face, L"Comic Sans MS");
    EXPECT_EQ(both[0].style.colour, (Rgb{0, 255, 0}));
    // A colour that is no colour leaves the colour as it was.
    const auto bad = ParseMarkup(L"<font color=#FF0000>a<font color=red>b");
    EXPECT_EQ(bad[0].style.colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(bad.back().style.colour, (Rgb{255, 0, 0}));
}

TEST(ParseMarkup, BreaksFromTagsAndFromLineEnds) {
    EXPECT_EQ(Texts(ParseMarkup(L"a<br>b<BR>c")), L"a|b|c");
    EXPECT_EQ(Texts(ParseMarkup(L"a\r\nb\rc\nd")), L"a|b|c|d");
    EXPECT_EQ(Texts(ParseMarkup(L"\r\n\r\n")), L"||");
}

TEST(ParseMarkup, UnknownTagsAndStrayBracketsStayVisible) {
    EXPECT_EQ(Texts(ParseMarkup(L"I <3 you")), L"I <3 you");
    EXPECT_EQ(Texts(ParseMarkup(L"a < b > c")), L"a < b > c");
    EXPECT_EQ(Texts(ParseMarkup(L"<i>x</i>")), L"<i>x</i>");
    EXPECT_EQ(Texts(ParseMarkup(L"<b")), L"<b");
    EXPECT_EQ(Texts(ParseMarkup(L"<<b>x")), L"<x");
    EXPECT_EQ(Texts(ParseMarkup(L"<b x>y")), L"<b x>y");
    EXPECT_EQ(Texts(ParseMarkup(L"<font face=\"open>x")), L"<font face=\"open>x");
    EXPECT_EQ(Texts(ParseMarkup(L"</font></b>ok")), L"ok");
    EXPECT_TRUE(ParseMarkup(L"").empty());
}

// The pieces are what maps a shown character back to its place in the line.
TEST(ReadMarkup, PiecesCoverTheLineInOrderAndSayWhatEachStretchIs) {
    using Kind = MarkupPiece::Kind;
    const std::wstring line = L"<font color=#FF0000>ab<b>c<i>d\r\ne<br>f<g";
    const auto pieces = ReadMarkup(line);
    struct Expected {
        Kind kind;
        std::wstring_view stretch;
        std::wstring_view shown;
        bool bold;
    };
    const std::vector<Expected> expected{
        {Kind::Tag, L"<font color=#FF0000>", L"", false},
        {Kind::Text, L"ab", L"ab", false},
        {Kind::Tag, L"<b>", L"", true},
        {Kind::Text, L"c", L"c", true},
        {Kind::Text, L"<", L"<", true},
        {Kind::Text, L"i>d", L"i>d", true},
        {Kind::Break, L"\r\n", L"", true},
        {Kind::Text, L"e", L"e", true},
        {Kind::Break, L"<br>", L"", true},
        {Kind::Text, L"f", L"f", true},
        {Kind::Text, L"<", L"<", true},
        {Kind::Text, L"g", L"g", true},
    };
    ASSERT_EQ(pieces.size(), expected.size());
    std::size_t at = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pieces[i].kind, expected[i].kind);
        EXPECT_EQ(pieces[i].begin, at);
        EXPECT_EQ(std::wstring_view(line).substr(pieces[i].begin, pieces[i].end - pieces[i].begin),
                  expected[i].stretch);
        EXPECT_EQ(pieces[i].text, expected[i].shown);
        EXPECT_EQ(pieces[i].style.bold, expected[i].bold);
        EXPECT_EQ(pieces[i].style.colour, (Rgb{255, 0, 0}));
        at = pieces[i].end;
    }
    EXPECT_EQ(at, line.size());
}

TEST(ParseMarkup, ReadsNumericReferencesOnlyWhenAsked) {
    const std::wstring line =
        L"<font color=#FF0000>&#937;<font color=#00FF00>&#x3a9;&#128512;;&#233";
    EXPECT_EQ(Texts(ParseMarkup(line)), L"&#937;&#x3a9;&#128512;;&#233") << "off by default";
    const auto runs = ParseMarkup(line, {.references = true});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, L"\u03A9");
    EXPECT_EQ(runs[0].style.colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(runs[1].text, L"\u03A9\U0001F600;\u00E9") << "the ';' is optional, as in HTML";

    const auto pieces = ReadMarkup(L"a&#937;b", {.references = true});
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1].begin, 1u);
    EXPECT_EQ(pieces[1].end, 7u) << "the reference's piece spans its source";
}

TEST(ParseMarkup, ReferencesHtmlRejectsStayTextOrBecomeTheReplacementCharacter) {
    auto read = [](std::wstring_view line) {
        return Texts(ParseMarkup(line, {.references = true}));
    };
    // No digits: not a reference at all.
    EXPECT_EQ(read(L"&#; &#x; &#xg; & &amp; &#"), L"&#; &#x; &#xg; & &amp; &#");
    // Where HTML shows U+FFFD: zero, surrogate code points, beyond U+10FFFF (however long).
    EXPECT_EQ(read(L"&#0;&#xD800;&#57343;&#x110000;&#99999999999999999999;"),
              L"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    // The C1 range reads as Windows-1252, as in HTML; the five holes stay themselves.
    EXPECT_EQ(read(L"&#128;&#x9F;&#x81;"), L"\u20AC\u0178\u0081");
    EXPECT_EQ(read(L"&#x10FFFF;&#65;&#10;"), L"\U0010FFFF"
                                             L"A\n")
        << "not a line break";
}

} // namespace
