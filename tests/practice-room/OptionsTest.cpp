#include "Options.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseOptions, DefaultsWithoutArguments) {
    const ParsedOptions parsed = ParseOptions({});
    EXPECT_EQ(parsed.error, L"");
    const Options& o = parsed.options;
    EXPECT_EQ(o.name, L"Blue Fox");
    EXPECT_EQ(o.rooms, 1);
    EXPECT_EQ(o.roomName, L"Town Square");
    EXPECT_TRUE(o.welcome);
    EXPECT_TRUE(o.logPath.empty());
    EXPECT_EQ(o.emptyDelayMs, 0);
    EXPECT_FALSE(o.neverEmpty);
    EXPECT_FALSE(o.closeOnLine);
    EXPECT_EQ(o.busyMs, 0);
    EXPECT_EQ(o.faultFrom, 1);
    EXPECT_FALSE(o.exitOnEnter);
    EXPECT_EQ(o.claimLength, -1);
    EXPECT_FALSE(o.renderReferences);
    EXPECT_FALSE(o.help);
}

TEST(ParseOptions, EveryOptionTakesEffect) {
    const ParsedOptions parsed = ParseOptions({L"--name",
                                               L"Ann Lee",
                                               L"--rooms",
                                               L"3",
                                               L"--room-name",
                                               L"Lobby",
                                               L"--no-welcome",
                                               L"--log",
                                               L"Z:\\tmp\\x.log",
                                               L"--empty-delay",
                                               L"250",
                                               L"--never-empty",
                                               L"--close-on-line",
                                               L"--busy-ms",
                                               L"15000",
                                               L"--fault-from",
                                               L"3",
                                               L"--exit-on-enter",
                                               L"--claim-length",
                                               L"1000000",
                                               L"--render-refs"});
    EXPECT_EQ(parsed.error, L"");
    const Options& o = parsed.options;
    EXPECT_EQ(o.name, L"Ann Lee");
    EXPECT_EQ(o.rooms, 3);
    EXPECT_EQ(o.roomName, L"Lobby");
    EXPECT_FALSE(o.welcome);
    EXPECT_EQ(o.logPath, L"Z:\\tmp\\x.log");
    EXPECT_EQ(o.emptyDelayMs, 250);
    EXPECT_TRUE(o.neverEmpty);
    EXPECT_TRUE(o.closeOnLine);
    EXPECT_EQ(o.busyMs, 15000);
    EXPECT_EQ(o.faultFrom, 3);
    EXPECT_TRUE(o.exitOnEnter);
    EXPECT_EQ(o.claimLength, 1000000);
    EXPECT_TRUE(o.renderReferences);
    EXPECT_TRUE(ParseOptions({L"-h"}).options.help);
    EXPECT_TRUE(ParseOptions({L"/?"}).options.help);
}

TEST(ParseOptions, UnknownOptionsBadNumbersAndMissingValuesAreErrors) {
    EXPECT_EQ(ParseOptions({L"--rooms", L"x"}).error,
              L"--rooms takes a whole number from 0, not \"x\"");
    for (const wchar_t* bad : {L"-2", L"2x", L"", L" 2", L"+2", L"1e3", L"99999999999"})
        EXPECT_NE(ParseOptions({L"--busy-ms", bad}).error, L"") << bad;
    EXPECT_EQ(ParseOptions({L"--name"}).error, L"--name needs a value");
    EXPECT_EQ(ParseOptions({L"--bogus", L"--name", L"X"}).error, L"unknown option: --bogus");
    EXPECT_EQ(ParseOptions({L"--busy-ms", L"5", L"500"}).error, L"unknown option: 500");
    EXPECT_NE(ParseOptions({L"--fault-from", L"0"}).error, L"");
    // What stays as it was: counts clamped, empty texts allowed.
    EXPECT_EQ(ParseOptions({L"--rooms", L"0"}).options.rooms, 0);
    EXPECT_EQ(ParseOptions({L"--rooms", L"99999"}).options.rooms, 20);
    EXPECT_EQ(ParseOptions({L"--name", L""}).options.name, L"");
    EXPECT_NE(std::wstring(kUsage).find(L"--busy-ms"), std::wstring::npos);
}

TEST(RoomCaption, FurtherRoomsAreNumbered) {
    EXPECT_EQ(RoomCaption(L"Town Square", 1), L"Town Square");
    EXPECT_EQ(RoomCaption(L"Town Square", 2), L"Town Square 2");
    EXPECT_EQ(RoomCaption(L"Lobby", 3), L"Lobby 3");
}

} // namespace
