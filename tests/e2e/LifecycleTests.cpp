// Start-up and closing lines, and what happens without a chat room, seen from the practice room.
#include "ControlIds.h"
#include "Expect.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"
#include "UnixTools.h"

#include <gtest/gtest.h>

using namespace quillon;

namespace {

void ClickOnScreen(const RECT& r) {
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    ASSERT_TRUE(
        Xdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" click 1"));
}

TEST(Lifecycle, AnnouncesItselfNamingTheUserAndSaysGoodbyeWhenClosed) {
    PracticeRoom room({L"--name", L"Blue Fox"});
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    auto lines = room.Lines();
    ASSERT_EQ(lines.size(), 2u) << "nothing but the two start-up lines";
    EXPECT_EQ(kAnnouncementPrefix.size(), 64u);
    EXPECT_EQ(lines[0], Announcement(u"Quillon -=- by Korvelix"));
    EXPECT_EQ(lines[1], Announcement(u"Loaded by: [blue fox]"));
    // The fade of the first line starts and ends on blue with black in the middle.
    EXPECT_EQ(lines[0].substr(64, 20), "<font color=#0000FF>");
    EXPECT_NE(lines[0].find("<font color=#000000>"), std::string::npos);

    ClickOnScreen(app.ScreenRect(IDC_LABEL2)); // a real click on the painted close mark
    ASSERT_TRUE(room.WaitForLines(3, 10000));
    EXPECT_EQ(room.Lines()[2], Announcement(u"Quillon -=- [unloaded]"));
    EXPECT_TRUE(app.WaitForExit(10000)) << "the close mark ends the program";
}

// The close keys: Alt+F4 on the window is the close mark; the floating button closed from the
// keyboard brings the window back.
TEST(Lifecycle, AltF4SaysGoodbyeAndTheButtonClosedByKeyBringsTheWindowBack) {
    PracticeRoom room;
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    constexpr LPARAM kAltDown = 1 << 29;
    app.Press(IDC_COMMAND2);
    ASSERT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Form2() != nullptr; }, 5000));
    PostMessageW(app.Form2(), WM_SYSKEYDOWN, VK_F4, kAltDown | 1);
    EXPECT_TRUE(app.WaitUntil(
        [](const QuillonApp& a) { return !a.Form2() && IsWindowVisible(a.Form1()); }, 5000));
    EXPECT_EQ(room.Lines().size(), 2u) << "the button's end is not the program's";

    PostMessageW(app.Control(IDC_TEXT1), WM_SYSKEYDOWN, VK_F4, kAltDown | 1);
    ASSERT_TRUE(room.WaitForLines(3, 10000));
    EXPECT_EQ(room.Lines()[2], Announcement(u"Quillon -=- [unloaded]"));
    EXPECT_TRUE(app.WaitForExit(10000));
}

TEST(Lifecycle, NobodySignedOnGivesEmptyBrackets) {
    PracticeRoom room({L"--no-welcome"});
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    EXPECT_EQ(room.Lines()[1], Announcement(u"Loaded by: []"));
}

TEST(Lifecycle, WithoutAChatRoomTheLineComesBackToTheTextBox) {
    PracticeRoom room({L"--rooms", L"0"});
    QuillonApp app;
    app.SetText(L"keep me");
    app.Press(IDC_COMMAND1);
    // Back, and told: the text alone is there before the press is even taken.
    EXPECT_TRUE(app.WaitUntil(
        [](const QuillonApp& a) { return a.Notice() && a.Text() == L"keep me"; }, 10000));
    EXPECT_TRUE(room.Lines().empty());

    // The close mark still ends the program with no room to post into.
    app.ClickLabel(IDC_LABEL2);
    EXPECT_TRUE(app.WaitForExit(10000));
}

TEST(Lifecycle, CloseMarkDuringAWaitingPostRestoresTheDraftFirst) {
    PracticeRoom room({L"--empty-delay", L"1500"});
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 15000));
    // The user's own unsent text in the chat input.
    const HWND area = FindWindowExW(room.Frame(), nullptr, L"MDIClient", nullptr);
    HWND chat = nullptr;
    for (HWND inner = FindWindowExW(area, nullptr, L"AOL Child", nullptr); inner && !chat;
         inner = FindWindowExW(area, inner, L"AOL Child", nullptr)) {
        const HWND first = FindWindowExW(inner, nullptr, L"RICHCNTL", nullptr);
        chat = first ? FindWindowExW(inner, first, L"RICHCNTL", nullptr) : nullptr;
    }
    ASSERT_NE(chat, nullptr);
    SendMessageW(chat, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"my draft"));

    app.SetText(L"hello room");
    app.Press(IDC_COMMAND1);
    ASSERT_TRUE(room.WaitForLines(3, 5000)); // taken, but the input empties only later
    app.ClickLabel(IDC_LABEL2);              // while the post still waits
    ASSERT_TRUE(app.WaitForExit(20000));
    const auto lines = room.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[2].find(">h<"), std::string::npos);
    EXPECT_EQ(lines[3], Announcement(u"Quillon -=- [unloaded]"));
    wchar_t left[64] = {};
    SendMessageW(chat, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(left));
    EXPECT_STREQ(left, L"my draft") << "the user's draft is back in the chat input";
}

} // namespace
