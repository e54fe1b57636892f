#include "Options.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseOptions, DefaultsWithoutArguments) {
    const Options o = ParseOptions({});
    EXPECT_EQ(o.name, L"Blue Fox");
    EXPECT_EQ(o.rooms, 1);
    EXPECT_EQ(o.roomName, L"Town Square");
    EXPECT_TRUE(o.welcome);
    EXPECT_TRUE(o.logPath.empty());
    EXPECT_EQ(o.emptyDelayMs, 0);
    EXPECT_FALSE(o.neverEmpty);
    EXPECT_FALSE(o.closeOnLine);
}

TEST(ParseOptions, EveryOptionTakesEffect) {
    const Options o =
        ParseOptions({L"--name", L"Ann Lee", L"--rooms", L"3", L"--room-name", L"Lobby",
                      L"--no-welcome", L"--log", L"Z:\\tmp\\x.log", L"--empty-delay", L"250",
                      L"--never-empty", L"--close-on-line"});
    EXPECT_EQ(o.name, L"Ann Lee");
    EXPECT_EQ(o.rooms, 3);
    EXPECT_EQ(o.roomName, L"Lobby");
    EXPECT_FALSE(o.welcome);
    EXPECT_EQ(o.logPath, L"Z:\\tmp\\x.log");
    EXPECT_EQ(o.emptyDelayMs, 250);
    EXPECT_TRUE(o.neverEmpty);
    EXPECT_TRUE(o.closeOnLine);
}

TEST(ParseOptions, BadOrMissingValuesKeepTheDefaults) {
    EXPECT_EQ(ParseOptions({L"--rooms", L"x"}).rooms, 1);
    EXPECT_EQ(ParseOptions({L"--rooms", L"-2"}).rooms, 1);
    EXPECT_EQ(ParseOptions({L"--rooms", L"2x"}).rooms, 1);
    EXPECT_EQ(ParseOptions({L"--rooms", L"0"}).rooms, 0);
    EXPECT_EQ(ParseOptions({L"--rooms", L"99999"}).rooms, 20);
    EXPECT_EQ(ParseOptions({L"--name"}).name, L"Blue Fox");
    EXPECT_EQ(ParseOptions({L"--bogus", L"--name", L"X"}).name, L"X");
    EXPECT_EQ(ParseOptions({L"--name", L""}).name, L"");
}

TEST(RoomCaption, FurtherRoomsAreNumbered) {
    EXPECT_EQ(RoomCaption(L"Town Square", 1), L"Town Square");
    EXPECT_EQ(RoomCaption(L"Town Square", 2), L"Town Square 2");
    EXPECT_EQ(RoomCaption(L"Lobby", 3), L"Lobby 3");
}

} // namespace
