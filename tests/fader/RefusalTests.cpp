#include "FaderTestSupport.h"

#include <gtest/gtest.h>

using namespace WendrikFaderV2;
using namespace FaderTest;

namespace {

using Messages = std::vector<std::u16string>;

// A table no refused call could have produced, to see that refusals leave it alone.
TagTable MarkTable() {
    BuildFadeTable({Rgb(1, 2, 3), Rgb(4, 5, 6)}, 3, false);
    return FadeTag;
}

// Compact first-letter input of `words` one-letter words whose result is `length` long:
// each word becomes a 48-character mark, spaces stay, dots pad the last word.
std::u16string WordsForCompactResult(int words, std::size_t length) {
    std::u16string text = u"a";
    for (int i = 1; i < static_cast<int>(words); ++i)
        text += u" a";
    const std::size_t marked = 49 * static_cast<std::size_t>(words) - 1;
    text.append(length - marked, u'.');
    return text;
}

} // namespace

TEST(FadeTextRefusal, TooFewColoursOrCharactersReturnTheTextUntouched) {
    struct Case {
        std::u16string text;
        std::vector<Colour> colours;
        std::u16string_view message;
    };
    const Case cases[] = {
        {u"", {kRed, kBlue}, u"Please input more text!"},
        {u"a", {kRed, kBlue}, u"Please input more text!"},
        {u"ab", {kRed, kGreen, kBlue}, u"Please input more text!"},
        {u"plenty of text here", {kRed}, u"You need at least 2 colors to fade."},
        {u"plenty of text here", {}, u"You need at least 2 colors to fade."},
        {u"", {kRed}, u"You need at least 2 colors to fade."}, // colours are checked first
    };
    for (const Case& c : cases) {
        const auto before = MarkTable();
        RefusalCapture refusals;
        for (bool compact : {true, false})
            EXPECT_EQ(FadeText(c.text, c.colours, true, compact), c.text);
        EXPECT_EQ(refusals.messages,
                  (Messages{std::u16string(c.message), std::u16string(c.message)}));
        EXPECT_EQ(FadeTag, before);
    }
}

TEST(FadeTextRefusal, LongestTextIsFadedOneMoreIsRefused) {
    RefusalCapture refusals;
    const std::u16string longest(32767, u'x');
    const std::u16string faded = FadeText(longest, {kRed, kGreen, kBlue, kBlack}, false, true);
    EXPECT_TRUE(refusals.messages.empty());
    EXPECT_EQ(faded.size(), 32767u * 21);
    ASSERT_EQ(FadeTag.size(), 32768u);

    const auto before = FadeTag;
    const std::u16string tooLong(32768, u'x');
    EXPECT_EQ(FadeText(tooLong, {kRed, kBlue}, false, true), tooLong);
    EXPECT_EQ(refusals.messages, Messages{u"The text is too long to fade."});
    EXPECT_EQ(FadeTag, before);
}

TEST(FirstLettersRefusal, TooFewWordsReturnsTheTrimmedText) {
    const auto before = MarkTable();
    RefusalCapture refusals;
    std::u16string text = u"  hi there ";
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kGreen, kBlue, kBlack}, true), u"hi there");
    EXPECT_EQ(text, u"hi there");
    text = u"hi";
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kGreen, kBlue}, false), u"hi");
    text = u"hi";
    EXPECT_EQ(FadeFirstLetters(text, {}, true), u"hi"); // no colour to mark with
    EXPECT_EQ(refusals.messages, (Messages{u"Error", u"Error", u"Error"}));
    EXPECT_EQ(FadeTag, before);
}

TEST(FirstLettersRefusal, LongestResultIsMarkedOneMoreIsRefused) {
    RefusalCapture refusals;
    std::u16string text = WordsForCompactResult(668, 32767);
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, true).size(), 32767u);
    EXPECT_TRUE(refusals.messages.empty());

    // Full mode counts its wrapper: 861 words, 37-character marks, 29 wrapper characters.
    text.assign(1, u'a');
    for (int i = 1; i < 861; ++i)
        text += u" a";
    text.append(32767 - (38 * 861 + 28), u'.');
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, false).size(), 32767u);
    EXPECT_TRUE(refusals.messages.empty());

    const auto before = FadeTag;
    const std::u16string tooLong = WordsForCompactResult(668, 32768);
    text = u"  " + tooLong + u" ";
    EXPECT_EQ(FadeFirstLetters(text, {kRed, kBlue}, true), tooLong);
    EXPECT_EQ(text, tooLong);
    EXPECT_EQ(refusals.messages, Messages{u"The text is too long to fade."});
    EXPECT_EQ(FadeTag, before);
}

TEST(Refusal, DefaultPresenterComesBackAndDoesNotThrow) {
    { RefusalCapture refusals; }
    testing::internal::CaptureStderr();
    EXPECT_EQ(FadeText(u"x", {kRed, kBlue}, false, true), u"x");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fade: Please input more text!\n");
}

// A caller swaps a quiet presenter in for a while and puts the one it replaced back; a presenter
// may itself be swapped out while it runs (a message box's loop lets other handlers run).
TEST(Refusal, SwappedPresenterComesBackAndMaySwapWhileItRuns) {
    RefusalCapture refusals;
    Messages quiet;
    RefusalPresenter previous =
        SetRefusalPresenter([&quiet](std::u16string_view m) { quiet.emplace_back(m); });
    FadeText(u"x", {kRed, kBlue}, false, true);
    SetRefusalPresenter(std::move(previous));
    FadeText(u"", {kRed}, false, true);
    EXPECT_EQ(quiet, Messages{u"Please input more text!"});
    EXPECT_EQ(refusals.messages, Messages{u"You need at least 2 colors to fade."});

    Messages seen;
    const std::u16string prefix(40, u'>'); // on the heap, gone with the presenter that holds it
    SetRefusalPresenter([&seen, prefix](std::u16string_view m) {
        SetRefusalPresenter([&seen](std::u16string_view) { seen.emplace_back(u"second"); });
        seen.push_back(prefix + std::u16string(m));
    });
    FadeText(u"x", {kRed, kBlue}, false, true);
    FadeText(u"x", {kRed, kBlue}, false, true);
    EXPECT_EQ(seen, (Messages{prefix + u"Please input more text!", u"second"}));
}
