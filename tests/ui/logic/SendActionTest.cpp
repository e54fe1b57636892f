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

// The four boxes as Send reads them, shown by the message it posts: the swatches the fade takes
// (green and white are the third and fourth, the fade reaches the third when it takes a fourth)
// and the style. A box counts as ticked only at exactly 1, and colour 4 without colour 3 posts
// nothing.
TEST(SendMessage, CheckBoxesChooseTheSwatchesAndTheStyle) {
    enum Style { Plain, FirstLetters, Bold };
    struct Row {
        int check1, check2, check3, check4;
        int colours; // 0: nothing is posted
        Style style;
    };
    const Row rows[] = {
        {0, 0, 0, 0, 2, Plain},        {1, 0, 0, 0, 3, Plain},        {1, 1, 0, 0, 4, Plain},
        {0, 1, 0, 0, 0, Plain},        {2, 0, 0, 0, 0, Plain},        {1, 2, 0, 0, 0, Plain},
        {0, 0, 1, 0, 2, FirstLetters}, {0, 0, 1, 1, 2, FirstLetters}, {0, 0, 0, 1, 2, Bold},
        {0, 0, 2, 1, 2, Bold},         {0, 0, 2, 0, 2, Plain},        {1, 1, 1, 1, 4, FirstLetters},
        {1, 0, 0, 1, 3, Bold},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << "boxes " << row.check1 << row.check2 << row.check3 << row.check4);
        SendInputs in = Line(u"ab cd ef gh");
        in.swatches = {kRed, kBlue, 0x00FF00, 0xFFFFFF};
        in.check1 = row.check1;
        in.check2 = row.check2;
        in.check3 = row.check3;
        in.check4 = row.check4;
        const std::optional<std::u16string> message = BuildSendMessage(in);
        if (row.colours == 0) {
            EXPECT_EQ(message, std::nullopt);
            continue;
        }
        ASSERT_TRUE(message);
        auto has = [&](std::u16string_view colour) {
            return message->find(u"color=#" + std::u16string(colour)) != std::u16string::npos;
        };
        EXPECT_EQ(message->substr(message->find(u"color=#") + 7, 6), u"FF0000") << "swatch 1, red";
        EXPECT_EQ(has(u"00FF00"), row.colours >= 3);
        EXPECT_EQ(has(u"FFFFFF"), row.colours == 4);
        const bool outerBold = message->starts_with(u"<b><font face=Arial>");
        const bool innerBold = message->find(u"<b>", 1) != std::u16string::npos;
        EXPECT_EQ(outerBold, row.style == Bold);
        EXPECT_EQ(!outerBold && innerBold, row.style == FirstLetters) << "the fader's own marks";
    }
}

TEST(SendMessage, WrapsTheFadedLineInTheFontAsGiven) {
    RefusalCounter refusals; // one character for two colours: posted unfaded
    EXPECT_EQ(BuildSendMessage(Line(u"x", u"Comic Sans MS")), u"<font face=Comic Sans MS>x</font>");
    EXPECT_EQ(BuildSendMessage(Line(u"x", u" Arial ")), u"<font face= Arial >x</font>");
    EXPECT_EQ(BuildSendMessage(Line(u"", u"")), u"<font face=></font>");
    SendInputs bold = Line(u"x", u"Verdana");
    bold.check4 = 1;
    EXPECT_EQ(BuildSendMessage(bold), u"<b><font face=Verdana>x</font></b>");
}

// Whatever the font box holds, the face in the tag can neither end it, open another, quote, start
// an attribute or an entity, nor hide characters; the rest goes exactly as typed.
TEST(SendMessage, TheFontTagNeverCarriesMarkup) {
    RefusalCounter refusals;
    const std::pair<std::u16string, std::u16string> faces[] = {
        {u"Comic Sans MS", u"Comic Sans MS"},
        {u" Arial ", u" Arial "},
        {u"微软雅黑", u"微软雅黑"},
        {u"Ω😀", u"Ω😀"},
        {u"Arial><a href=x>", u"Ariala hrefx"},
        {u"Arial><a href=\"http://x.example/\">free stuff</a><font face=Arial",
         u"Ariala hrefhttp://x.example/free stuff/afont faceArial"},
        {u"Arial color=#00FF00", u"Arial color#00FF00"},
        {u"A\"r'i&a=l", u"Arial"},
        {u"\u0001Ari\u200Bal\t\u202E\uFEFF", u"Arial"},
        {u"Ar\xD800ial\xDC00", u"Arial"},
        {u"<>", u""},
    };
    for (const auto& [typed, face] : faces) {
        EXPECT_EQ(FaceInTag(typed), face);
        const std::u16string message = *BuildSendMessage(Line(u"x", typed));
        EXPECT_EQ(message, u"<font face=" + face + u">x</font>");
        const std::u16string inTag = message.substr(11, message.find(u'>') - 11);
        EXPECT_EQ(inTag, face);
        EXPECT_EQ(inTag.find_first_of(u"<>\"'=&"), std::u16string::npos);
        EXPECT_EQ(message.find(u"<a"), std::u16string::npos);
    }
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
