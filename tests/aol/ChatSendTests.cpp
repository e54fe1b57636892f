// Posting into a client tree built in this process, whose input records what it is sent.
#include "BoundedSend.h"
#include "FakeClient.h"
#include "Korvelix6o.h"

#include <gtest/gtest.h>

using namespace Korvelix6o;

namespace {

using Lines = std::vector<std::wstring>;

std::wstring TextOf(HWND w) {
    wchar_t buffer[256] = {};
    GetWindowTextW(w, buffer, 256);
    return buffer;
}

TEST(ChatSend, DraftSurvivesAndLineIsTaken) {
    FakeClient client;
    const HWND input = Input(client.AddRoom());
    SetWindowTextW(input, L"hello");
    EXPECT_TRUE(ChatSend(u"hi").taken());
    EXPECT_EQ(Inputs().Lines(), Lines{L"hi"});
    EXPECT_EQ(Inputs().Clears(), 1);
    EXPECT_EQ(TextOf(input), L"hello");
}

// The client on a thread of its own, as another program is: every message takes the bounded
// path. What the user types into the input during the post is theirs: the draft does not go
// over it but is held for that input alone, and goes nowhere once that room is gone.
TEST(ChatSend, TypingInTheInputDuringThePostStaysAndTheDraftWaitsForItsOwnInput) {
    const ClientThread client;
    SetWindowTextW(client.input(), L"hello");
    Inputs().typedAfterEnter = L"typed meanwhile";
    PostResult result = ChatSend(u"hi");
    EXPECT_TRUE(result.taken());
    EXPECT_EQ(Inputs().Lines(), Lines{L"hi"});
    EXPECT_EQ(TextOf(client.input()), L"typed meanwhile");
    ASSERT_TRUE(result.held);
    EXPECT_EQ(result.held->text, u"hello");
    EXPECT_EQ(result.held->input, client.input());

    EXPECT_EQ(PutBackDraft(*result.held), PutBack::later);
    EXPECT_EQ(TextOf(client.input()), L"typed meanwhile");
    SetWindowTextW(client.input(), L"");
    EXPECT_EQ(PutBackDraft(*result.held), PutBack::done);
    EXPECT_EQ(TextOf(client.input()), L"hello");

    SetWindowTextW(client.input(), L"");
    client.CloseRoom();
    for (int i = 0; i < 100 && IsWindow(client.room()); ++i)
        Sleep(10);
    EXPECT_EQ(PutBackDraft(*result.held), PutBack::roomGone);
}

TEST(ChatSend, EmptyInputIsNotClearedAndStaysEmpty) {
    FakeClient client;
    const HWND input = Input(client.AddRoom());
    EXPECT_TRUE(ChatSend(u"hi").taken());
    EXPECT_EQ(Inputs().Clears(), 0);
    EXPECT_EQ(Inputs().Lines(), Lines{L"hi"});
    EXPECT_EQ(TextOf(input), L"");
}

TEST(ChatSend, EmptyLineStillGetsTheCarriageReturn) {
    FakeClient client;
    client.AddRoom();
    EXPECT_TRUE(ChatSend(u"").taken());
    EXPECT_EQ(Inputs().Lines(), Lines{L""});
}

TEST(ChatSend, LineCrossesTheAnsiCodePageUnchanged) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the line below needs code page 1252";
    FakeClient client;
    client.AddRoom();
    const std::u16string line = u"<font color=#FF0000>Gr\u00fc\u00dfe \u00e0 tous</font>";
    EXPECT_TRUE(ChatSend(line).taken());
    ASSERT_EQ(Inputs().Lines().size(), 1u);
    EXPECT_EQ(Inputs().Lines()[0], std::wstring(line.begin(), line.end()));
}

// A client running with higher rights than ours refuses every message with ERROR_ACCESS_DENIED
// (user interface privilege isolation); one machine without integrity levels cannot show it, so
// the refusal is made in the one call every send goes through.
LRESULT WINAPI RefusingSend(HWND, UINT, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR) {
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

TEST(ChatSend, AClientWithHigherRightsIsToldApartFromASlowOne) {
    const ClientThread client;
    SetWindowTextW(client.input(), L"hello");
    SetSendFunction(RefusingSend);
    const PostResult refused = ChatSend(u"hi");
    SetSendFunction(nullptr);
    EXPECT_EQ(refused.outcome, PostOutcome::refused);
    EXPECT_TRUE(Inputs().Lines().empty());
    EXPECT_EQ(TextOf(client.input()), L"hello");
    EXPECT_EQ(ChatSend(u"hi").outcome, PostOutcome::taken);
}

TEST(ChatSend, NothingIsSentWithoutClientOrRoom) {
    EXPECT_EQ(ChatSend(u"hi").outcome, PostOutcome::noClient);
    FakeClient client;
    const HWND almost = client.AddInner(L"Almost", {L"RICHCNTL", L"RICHCNTL", L"_AOL_Icon"});
    SetWindowTextW(Input(almost), L"draft");
    EXPECT_EQ(ChatSend(u"hi").outcome, PostOutcome::noRoom);
    EXPECT_TRUE(Inputs().Lines().empty());
    EXPECT_EQ(Inputs().Clears(), 0);
    EXPECT_EQ(TextOf(Input(almost)), L"draft");
}

TEST(ChatSend, GoesIntoTheFrontmostRoomsInput) {
    FakeClient client;
    const HWND front = client.AddRoom(L"Town Square");
    const HWND back = client.AddRoom(L"Town Square 2");
    SetWindowTextW(Input(back), L"other draft");
    EXPECT_TRUE(ChatSend(u"hi").taken());
    EXPECT_EQ(Inputs().Takers(), std::vector<HWND>{Input(front)});
    EXPECT_EQ(TextOf(Input(back)), L"other draft");
}

TEST(ChatSend, WaitsForALateClientWhileEventsRun) {
    FakeClient client;
    const HWND input = Input(client.AddRoom());
    Inputs().emptying = Emptying::Later; // empties from a timer: only runs if the wait lets it
    SetWindowTextW(input, L"hello");
    EXPECT_TRUE(ChatSend(u"one").taken());
    EXPECT_TRUE(ChatSend(u"two").taken());
    EXPECT_EQ(Inputs().Lines(), (Lines{L"one", L"two"}));
    EXPECT_EQ(TextOf(input), L"hello");
}

TEST(ChatSend, QuitRequestedDuringTheWaitIsKept) {
    FakeClient client;
    client.AddRoom();
    Inputs().emptying = Emptying::Later;
    PostQuitMessage(7);
    EXPECT_TRUE(ChatSend(u"bye").taken());
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

bool nestedTaken = false;

void PostNested() {
    nestedTaken = ChatSend(u"nested").taken();
}

TEST(ChatSendNesting, PostInsideTheWaitKeepsDraftAndLeavesNoLineBehind) {
    FakeClient client;
    const HWND input = Input(client.AddRoom());
    Inputs().emptying = Emptying::Later;
    SetWindowTextW(input, L"hello");
    nestedTaken = false;
    Trigger nested(PostNested);
    nested.Post(); // the room is the first candidate, so this runs in the outer call's wait
    EXPECT_TRUE(ChatSend(u"outer").taken());
    EXPECT_EQ(nested.runs(), 1);
    EXPECT_TRUE(nestedTaken);
    EXPECT_EQ(Inputs().Lines(), (Lines{L"outer", L"nested"}));
    EXPECT_EQ(TextOf(input), L"hello");
}

TEST(ChatSendNesting, PostWhileTheOuterCallStillSearchesKeepsDraft) {
    FakeClient client;
    client.AddInner(L"Welcome, Blue Fox!", {});
    const HWND input = Input(client.AddRoom());
    SetWindowTextW(input, L"hello");
    nestedTaken = false;
    Trigger nested(PostNested);
    nested.Post(); // runs in the search's pass, before the outer call has saved the draft
    EXPECT_TRUE(ChatSend(u"outer").taken());
    EXPECT_EQ(nested.runs(), 1);
    EXPECT_TRUE(nestedTaken);
    EXPECT_EQ(Inputs().Lines(), (Lines{L"nested", L"outer"}));
    EXPECT_EQ(TextOf(input), L"hello");
}

} // namespace
