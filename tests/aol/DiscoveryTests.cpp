// Window discovery against client trees built in this process.
#include "FakeClient.h"
#include "Korvelix6o.h"

#include <gtest/gtest.h>

using namespace Korvelix6o;

namespace {

const std::vector<const wchar_t*> kNoChildren;

TEST(GetCaptionAndText, HandleZeroAndEmptyWindowsGiveEmptyText) {
    EXPECT_EQ(GetCaption(nullptr), u"");
    EXPECT_EQ(GetText(nullptr), u"");
    FakeClient client;
    const HWND untitled = client.AddInner(L"", kNoChildren);
    EXPECT_EQ(GetCaption(untitled), u"");
    EXPECT_EQ(GetText(Input(client.AddRoom())), u"");
}

TEST(GetCaptionAndText, ReadTitleAndControlText) {
    FakeClient client;
    const HWND room = client.AddRoom(L"Town Square");
    SetWindowTextW(Input(room), L"abc");
    EXPECT_EQ(GetText(Input(room)), u"abc");
    EXPECT_EQ(GetCaption(room), u"Town Square");
    if (GetACP() == 1252) { // the text crosses the ANSI code page both ways
        SetWindowTextW(Input(room), L"caf\u00e9 \u00fcber");
        EXPECT_EQ(GetText(Input(room)), u"caf\u00e9 \u00fcber");
    }
}

TEST(GetUser, ScreenNameIsBetweenWelcomeAndFirstBang) {
    const struct {
        const wchar_t* caption;
        std::u16string name;
    } cases[] = {
        {L"Welcome, Blue Fox!", u"Blue Fox"},
        {L"Welcome, A!B!", u"A"},
        {L"Welcome, !", u""},
        {L"Welcome, Blue Fox", u"Blue Fox"}, // no "!": the rest of the caption
        {L"Welcome, ", u""},
        {L"welcome, Blue!", u""}, // small w: not a welcome window
        {L" Welcome, Blue!", u""},
        {L"Welcome,Blue!", u""},
        {L"Hello. Welcome, Blue!", u""},
    };
    for (const auto& c : cases) {
        FakeClient client;
        client.AddInner(c.caption, kNoChildren);
        EXPECT_EQ(GetUser(), c.name) << "caption: " << testing::PrintToString(c.caption);
    }
}

TEST(GetUser, PassesOverOtherInnerWindows) {
    FakeClient client;
    client.AddRoom(L"Town Square");
    client.AddInner(L"Buddy List", kNoChildren);
    client.AddInner(L"Welcome, Blue Fox!", kNoChildren);
    client.AddInner(L"Welcome, Second!", kNoChildren);
    EXPECT_EQ(GetUser(), u"Blue Fox");
}

TEST(GetUser, NoClientOrNoWelcomeWindowGivesEmptyName) {
    EXPECT_EQ(GetUser(), u"");
    FakeClient client;
    EXPECT_EQ(GetUser(), u"");
    client.AddRoom();
    client.AddInner(L"Buddy List", kNoChildren);
    EXPECT_EQ(GetUser(), u"");
}

TEST(FindRoom, TakesAnInnerWindowWithAllFourClasses) {
    EXPECT_EQ(FindRoom(), nullptr);
    FakeClient client;
    EXPECT_EQ(FindRoom(), nullptr);
    client.AddInner(L"Welcome, Blue Fox!", kNoChildren);
    EXPECT_EQ(FindRoom(), nullptr);
    const HWND room = client.AddRoom();
    EXPECT_EQ(FindRoom(), room);
}

TEST(FindRoom, InnerWindowMissingAnyPartIsNoRoom) {
    const std::vector<std::vector<const wchar_t*>> incomplete = {
        {L"RICHCNTL", L"_AOL_Listbox", L"_AOL_Icon", L"_AOL_Static"},
        {L"RICHCNTL", L"RICHCNTL", L"_AOL_Icon", L"_AOL_Static"},
        {L"RICHCNTL", L"RICHCNTL", L"_AOL_Listbox", L"_AOL_Static"},
        {L"RICHCNTL", L"RICHCNTL", L"_AOL_Listbox", L"_AOL_Icon"},
    };
    for (const auto& children : incomplete) {
        FakeClient client;
        client.AddInner(L"Almost", children);
        EXPECT_EQ(FindRoom(), nullptr);
        const HWND room = client.AddRoom(); // the search goes on behind it
        EXPECT_EQ(FindRoom(), room);
    }
}

TEST(FindRoom, OnlyDirectChildrenCount) {
    FakeClient client;
    const HWND inner =
        client.AddInner(L"Nested", {L"RICHCNTL", L"_AOL_Listbox", L"_AOL_Icon", L"_AOL_Static"});
    const HWND holder = FindWindowExW(inner, nullptr, L"_AOL_Static", nullptr);
    CreateWindowExW(0, L"RICHCNTL", L"", WS_CHILD, 0, 0, 10, 10, holder, nullptr,
                    GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(FindRoom(), nullptr);
}

TEST(FindRoom, FrontmostOfTwoRoomsWins) {
    FakeClient client;
    const HWND front = client.AddRoom(L"Town Square");
    const HWND back = client.AddRoom(L"Town Square 2");
    EXPECT_EQ(FindRoom(), front);
    SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(FindRoom(), back);
}

void Nothing() {}

TEST(FindRoom, PendingEventsRunBetweenCandidatesOnly) {
    Trigger trigger(Nothing);
    {
        FakeClient client;
        client.AddRoom();
        trigger.Post();
        FindRoom();
        EXPECT_EQ(trigger.runs(), 0) << "events ran before the first candidate";
    }
    {
        FakeClient client;
        client.AddInner(L"Welcome, Blue Fox!", kNoChildren);
        const HWND room = client.AddRoom();
        trigger.Post();
        EXPECT_EQ(FindRoom(), room);
        EXPECT_EQ(trigger.runs(), 2); // both queued posts ran in the pass before the second
    }
}

TEST(FindRoom, PendingEventsGoThroughTheEventFilterFirst) {
    Trigger trigger(Nothing);
    int seen = 0;
    // Handles the first of the trigger's messages itself and lets everything else through.
    SetEventFilter([&seen](MSG& msg) { return msg.message == WM_APP && ++seen == 1; });
    FakeClient client;
    client.AddInner(L"Welcome, Blue Fox!", kNoChildren);
    client.AddRoom();
    trigger.Post();
    trigger.Post();
    FindRoom();
    SetEventFilter(nullptr);
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(trigger.runs(), 1) << "the message the filter handled was not dispatched again";
}

} // namespace
