// Posting into the practice room, a separate process: only its log and its windows are seen.
#include "Korvelix6o.h"
#include "PracticeRoom.h"

#include <gtest/gtest.h>

using namespace Korvelix6o;

namespace {

using Lines = std::vector<std::string>;
constexpr DWORD kLogWaitMs = 5000;

HWND RoomInput(HWND room) {
    const HWND transcript = FindWindowExW(room, nullptr, L"RICHCNTL", nullptr);
    return FindWindowExW(room, transcript, L"RICHCNTL", nullptr);
}

void SetDraft(HWND input, const wchar_t* text) {
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

TEST(PostingToPracticeRoom, DraftSurvivesAndRoomGetsExactlyTheLine) {
    PracticeRoom client;
    const HWND input = RoomInput(FindRoom());
    SetDraft(input, L"hello");
    EXPECT_TRUE(ChatSend(u"hi").taken());
    EXPECT_EQ(GetText(input), u"hello");
    ASSERT_TRUE(client.WaitForLines(1, kLogWaitMs));
    EXPECT_EQ(client.Lines(), Lines{"hi"});
}

TEST(PostingToPracticeRoom, EmptyInputAndEmptyLine) {
    PracticeRoom client;
    const HWND input = RoomInput(FindRoom());
    EXPECT_TRUE(ChatSend(u"first").taken());
    EXPECT_EQ(GetText(input), u"");
    EXPECT_TRUE(ChatSend(u"").taken()); // the room ignores Enter on an empty input
    EXPECT_EQ(GetText(input), u"");
    EXPECT_TRUE(ChatSend(u"last").taken());
    ASSERT_TRUE(client.WaitForLines(2, kLogWaitMs));
    EXPECT_EQ(client.Lines(), (Lines{"first", "last"}));
}

TEST(PostingToPracticeRoom, LinesArriveInOrderWithMarkupAndAnsiBytesIntact) {
    PracticeRoom client;
    const std::u16string marked = u"<font face=Arial><font color=#0000FF>A\\b</font>";
    EXPECT_TRUE(ChatSend(u"one").taken());
    EXPECT_TRUE(ChatSend(marked).taken());
    EXPECT_TRUE(ChatSend(u"caf\u00e9").taken());
    ASSERT_TRUE(client.WaitForLines(3, kLogWaitMs));
    const Lines lines = client.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "one");
    EXPECT_EQ(lines[1], "<font face=Arial><font color=#0000FF>A\\b</font>");
    if (GetACP() == 1252) {
        EXPECT_EQ(lines[2], "caf\xe9");
    }
}

TEST(PostingToPracticeRoom, FrontmostOfTwoRoomsGetsTheLine) {
    PracticeRoom client({L"--rooms", L"2"});
    const HWND front = FindRoom();
    ASSERT_NE(front, nullptr);
    EXPECT_TRUE(ChatSend(u"hi there").taken());
    const HWND area = FindWindowExW(client.Frame(), nullptr, L"MDIClient", nullptr);
    int roomsWithLine = 0;
    for (HWND inner = FindWindowExW(area, nullptr, L"AOL Child", nullptr); inner;
         inner = FindWindowExW(area, inner, L"AOL Child", nullptr)) {
        const HWND transcript = FindWindowExW(inner, nullptr, L"RICHCNTL", nullptr);
        if (GetText(transcript).find(u"hi there") != std::u16string::npos) {
            ++roomsWithLine;
            EXPECT_EQ(inner, front);
        }
    }
    EXPECT_EQ(roomsWithLine, 1);
}

TEST(PostingToPracticeRoom, NoClientOrNoRoomGivesFalseAndSendsNothing) {
    EXPECT_FALSE(ChatSend(u"hi").taken());
    PracticeRoom client({L"--rooms", L"0"});
    EXPECT_EQ(FindRoom(), nullptr);
    EXPECT_FALSE(ChatSend(u"hi").taken());
    EXPECT_FALSE(client.WaitForLines(1, 300));
}

TEST(PostingToPracticeRoom, SlowClientIsWaitedFor) {
    PracticeRoom client({L"--empty-delay", L"300"});
    const HWND input = RoomInput(FindRoom());
    SetDraft(input, L"hello");
    EXPECT_TRUE(ChatSend(u"slow").taken());
    EXPECT_EQ(GetText(input), u"hello");
    EXPECT_TRUE(ChatSend(u"after").taken());
    ASSERT_TRUE(client.WaitForLines(2, kLogWaitMs));
    EXPECT_EQ(client.Lines(), (Lines{"slow", "after"}));
}

TEST(PostingToPracticeRoom, ClientThatNeverEmptiesEndsAtTheBoundWithDraftBack) {
    PracticeRoom client({L"--never-empty"});
    const HWND input = RoomInput(FindRoom());
    SetDraft(input, L"hello");
    EXPECT_FALSE(ChatSend(u"stuck").taken());
    EXPECT_EQ(GetText(input), u"hello");
    EXPECT_EQ(client.Lines(), Lines{"stuck"});
}

TEST(PostingToPracticeRoom, RoomClosingMidPostEndsTheWait) {
    PracticeRoom client({L"--close-on-line"});
    const HWND room = FindRoom();
    EXPECT_FALSE(ChatSend(u"last words").taken()); // nobody is left to say the line was taken
    // The input goes a moment before the room that holds it, and the post ends at the first.
    for (int i = 0; i < 100 && IsWindow(room); ++i)
        Sleep(50);
    EXPECT_FALSE(IsWindow(room));
    ASSERT_TRUE(client.WaitForLines(1, kLogWaitMs));
    EXPECT_EQ(client.Lines(), Lines{"last words"});
    EXPECT_FALSE(ChatSend(u"again").taken());
}

// A handler that posts while an outer post waits, as a second press of Send would.
bool nestedTaken = false;

LRESULT CALLBACK NestedPoster(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
        nestedTaken = ChatSend(u"nested").taken();
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

TEST(PostingToPracticeRoom, NestedPostKeepsDraftAndLeavesNoLineBehind) {
    PracticeRoom client({L"--empty-delay", L"300"});
    const HWND input = RoomInput(FindRoom());
    SetDraft(input, L"hello");

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = NestedPoster;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Quillon Nested Poster";
    RegisterClassExW(&wc);
    const HWND poster = CreateWindowExW(0, wc.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, wc.hInstance, nullptr);
    nestedTaken = false;
    PostMessageW(poster, WM_APP, 0, 0);
    EXPECT_TRUE(ChatSend(u"outer").taken());
    DestroyWindow(poster);

    EXPECT_TRUE(nestedTaken);
    EXPECT_EQ(GetText(input), u"hello");
    ASSERT_TRUE(client.WaitForLines(2, kLogWaitMs));
    EXPECT_EQ(client.Lines(), (Lines{"outer", "nested"}));
}

TEST(ReadingPracticeRoom, ScreenNameFromWelcomeWindow) {
    {
        PracticeRoom client({L"--name", L"Zed Quill"});
        EXPECT_EQ(GetUser(), u"Zed Quill");
    }
    PracticeRoom client({L"--no-welcome"});
    EXPECT_EQ(GetUser(), u"");
}

} // namespace
