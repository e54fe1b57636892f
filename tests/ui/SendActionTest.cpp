#include "form1/SendAction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillon;

namespace {

constexpr WendrikFaderV2::Colour kRed = 0x0000FF, kBlue = 0xFF0000;

SendInputs Line(std::u16string line, std::u16string font = u"Arial") {
    SendInputs in;
    in.swatches = {kRed, kBlue, 0, 0};
    in.line = std::move(line);
    in.font = std::move(font);
    return in;
}

// Refusals must not open a box in a test; they are counted instead.
struct RefusalCounter {
    int count = 0;
    RefusalCounter() {
        WendrikFaderV2::SetRefusalPresenter([this](std::u16string_view) { ++count; });
    }
    ~RefusalCounter() { WendrikFaderV2::SetRefusalPresenter(nullptr); }
};

} // namespace

TEST(SendChoices, ColourCountComparesWithExactlyOneAndZero) {
    EXPECT_EQ(ChooseColourCount(1, 1), 4);
    EXPECT_EQ(ChooseColourCount(1, 0), 3);
    EXPECT_EQ(ChooseColourCount(0, 0), 2);
    EXPECT_EQ(ChooseColourCount(0, 1), std::nullopt); // colour 4 without colour 3
    EXPECT_EQ(ChooseColourCount(2, 0), std::nullopt); // an indeterminate box is neither
    EXPECT_EQ(ChooseColourCount(1, 2), std::nullopt);
}

TEST(SendChoices, FirstBoldWinsOverAllBold) {
    EXPECT_EQ(ChooseStyle(1, 0), FadeStyle::FirstLetters);
    EXPECT_EQ(ChooseStyle(1, 1), FadeStyle::FirstLetters);
    EXPECT_EQ(ChooseStyle(0, 1), FadeStyle::Bold);
    EXPECT_EQ(ChooseStyle(0, 0), FadeStyle::Plain);
    EXPECT_EQ(ChooseStyle(2, 1), FadeStyle::Bold);
}

TEST(SendMessage, WrapsTheFadedLineInTheFontAsGiven) {
    EXPECT_EQ(ComposeMessage(FadeStyle::Plain, u"Comic Sans MS", u"x"),
              u"<font face=Comic Sans MS>x</font>");
    EXPECT_EQ(ComposeMessage(FadeStyle::FirstLetters, u" Arial ", u"x"),
              u"<font face= Arial >x</font>");
    EXPECT_EQ(ComposeMessage(FadeStyle::Bold, u"Verdana", u"x"),
              u"<b><font face=Verdana>x</font></b>");
    EXPECT_EQ(ComposeMessage(FadeStyle::Plain, u"", u""), u"<font face=></font>");
}

TEST(SendMessage, FadesAcrossTheFirstTwoSwatches) {
    SendInputs in = Line(u"abc");
    EXPECT_EQ(BuildSendMessage(in), u"<font face=Arial><font color=#FF0000>a<font "
                                    u"color=#AA0055>b<font color=#5500AA>c</font>");
    in.check4 = 1;
    EXPECT_EQ(BuildSendMessage(in), u"<b><font face=Arial><font color=#FF0000>a<font "
                                    u"color=#AA0055>b<font color=#5500AA>c</font></b>");
}

TEST(SendMessage, UnticketColourBoxesIgnoreTheOtherSwatches) {
    SendInputs plain = Line(u"abcdef");
    SendInputs noisy = plain;
    noisy.swatches[2] = 0x00FF00;
    noisy.swatches[3] = 0xFFFFFF;
    EXPECT_EQ(BuildSendMessage(plain), BuildSendMessage(noisy));
}

TEST(SendMessage, ColourBoxesAddTheThirdAndFourthSwatch) {
    SendInputs in = Line(u"abcde");
    in.swatches = {kRed, kRed, 0x00FF00, kBlue};
    in.check1 = 1;
    const std::u16string three = *BuildSendMessage(in);
    EXPECT_NE(three.find(u"<font color=#00FF00>e"), std::u16string::npos);
    EXPECT_EQ(three.find(u"#0000FF"), std::u16string::npos);
    in.line = u"abcd";
    in.check2 = 1;
    const std::u16string four = *BuildSendMessage(in);
    EXPECT_NE(four.find(u"<font color=#0000FF>d"), std::u16string::npos);

    in.check1 = 0; // colour 4 alone
    EXPECT_EQ(BuildSendMessage(in), std::nullopt);
}

TEST(SendMessage, FirstLetterStyleHasNoOuterBold) {
    SendInputs in = Line(u"red blue");
    in.check3 = 1;
    in.check4 = 1;
    const std::u16string message = *BuildSendMessage(in);
    EXPECT_EQ(message.rfind(u"<font face=Arial>", 0), 0u);
    EXPECT_NE(message.find(u"<b>"), std::u16string::npos); // the fader's own marks
    EXPECT_EQ(message.substr(message.size() - 7), u"</font>");
}

TEST(SendMessage, RefusedLineIsPostedUnfadedInTheWrapper) {
    RefusalCounter refusals;
    EXPECT_EQ(BuildSendMessage(Line(u"")), u"<font face=Arial></font>");
    EXPECT_EQ(BuildSendMessage(Line(u"a")), u"<font face=Arial>a</font>");
    EXPECT_EQ(refusals.count, 2);
}

TEST(Announcements, PrefixThenBlueBlackBlueFade) {
    const std::u16string line = Announcement(kLoadedText);
    ASSERT_EQ(line.rfind(kAnnouncementPrefix, 0), 0u);
    const std::u16string faded = line.substr(kAnnouncementPrefix.size());
    EXPECT_EQ(faded.rfind(u"<font color=#0000FF>Q", 0), 0u);
    EXPECT_NE(faded.find(u"<font color=#000000>"), std::u16string::npos);
    EXPECT_EQ(faded.substr(faded.size() - 21), u"<font color=#0000FF>x");
    EXPECT_EQ(kAnnouncementPrefix.back(), u' ');
}

TEST(Announcements, LoadedByCarriesTheNameInBrackets) {
    EXPECT_EQ(LoadedByText(u"blue fox"), u"Loaded by: [blue fox]");
    EXPECT_EQ(LoadedByText(u""), u"Loaded by: []");
}
