// Lines that may have reached the room: found in the text about to be sent only as a whole part
// of it, and taken out of the text line without taking anything the user typed with them.
#include "posting/LinesInDoubt.h"

#include <gtest/gtest.h>

using namespace quillon;

namespace {

TEST(LinesInDoubt, AreFoundAsWholePartsAndTakenOutWithOneSpace) {
    struct Case {
        std::u16string text, line;
        std::optional<std::u16string> without; // nothing: the line is not a part of the text
    };
    const Case cases[] = {
        {u"hello", u"hello", u""},
        {u"hello typed since", u"hello", u"typed since"},
        {u"k hello", u"hello", u"k"},
        {u"a hello b", u"hello", u"a b"},
        {u"hello world", u"hello world", u""},
        {u"hellothere", u"hello", std::nullopt},
        {u"say hello!", u"hello", std::nullopt},
        {u"ohello hello", u"hello", u"ohello"}, // the first whole one
        {u"", u"hello", std::nullopt},
        {u"hello", u"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        const auto at = FindPart(c.text, c.line);
        ASSERT_EQ(at.has_value(), c.without.has_value());
        if (at) {
            EXPECT_EQ(WithoutPart(c.text, *at, c.line.size()), *c.without);
        }
    }
}

TEST(LinesInDoubt, GoOnceKnownWhenTheUserSendsThemAgainAndOnceTheyAreNoNews) {
    const auto t0 = LinesInDoubt::Clock::now();
    LinesInDoubt doubts;
    doubts.Add(7, u"hung line", t0);
    doubts.Add(9, u"other", t0);
    EXPECT_EQ(doubts.In(u"hung line and more", t0), u"hung line");
    EXPECT_EQ(doubts.In(u"hung", t0), std::nullopt);
    EXPECT_EQ(doubts.In(u"other", t0 + LinesInDoubt::kFor), std::nullopt);
    EXPECT_EQ(doubts.Went(8), std::nullopt);
    EXPECT_EQ(doubts.Went(7), u"hung line");
    EXPECT_EQ(doubts.In(u"hung line", t0), std::nullopt);
    doubts.Forget(u"other");
    EXPECT_EQ(doubts.Went(9), std::nullopt);
    for (LinesInDoubt::Id id = 1; id <= 20; ++id)
        doubts.Add(id, u"line " + std::u16string(1, static_cast<char16_t>(u'a' + id)), t0);
    EXPECT_EQ(doubts.Went(1), std::nullopt) << "the oldest go first";
    EXPECT_TRUE(doubts.Went(20));
}

} // namespace
