// A person who keeps acting while a slow client takes a line: pressing Send again, typing, holding
// the colour dialog open, closing the program, switching rooms during a hang. In every case the
// room gets each line exactly once, and everything the user typed (in Text1 and in the chat
// input) is where the user left it.
#include "ControlIds.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillon;

namespace {

// The stand-in takes this long to empty its input after taking a line: a slow client.
const std::vector<std::wstring> kSlowClient = {L"--empty-delay", L"2500"};

std::wstring TextOf(HWND window) {
    std::wstring text;
    return ReadText(window, text) ? text : L"<no answer>";
}

void SetTextOf(HWND window, const wchar_t* text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool EventuallyHolds(HWND window, const std::wstring& text, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50, Settle(50))
        if (TextOf(window) == text)
            return true;
    return TextOf(window) == text;
}

std::vector<std::wstring> Shown(const PracticeRoom& room) {
    std::vector<std::wstring> shown;
    for (const std::string& line : room.Lines())
        shown.push_back(ShownText(line));
    return shown;
}

// The user's draft in the chat input, a line in Text1, and Send.
void SendWithDraft(const QuillonApp& app, const PracticeRoom& room, const wchar_t* line) {
    SetTextOf(room.Input(), L"my draft");
    app.SetText(line);
    app.Press(IDC_COMMAND1);
}

using Lines = std::vector<std::wstring>;

TEST(PostingWhileTheUserActs, SendPressedAgainDuringThePostPostsNothingMore) {
    PracticeRoom room(kSlowClient);
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 15000));
    SendWithDraft(app, room, L"once");
    ASSERT_TRUE(room.WaitForLines(3, 5000)); // taken; the input empties only later
    EXPECT_EQ(app.Text(), L"") << "the line left the box at Send";
    for (int press = 0; press < 2; ++press) {
        Settle(300);
        app.Press(IDC_COMMAND1);
    }
    EXPECT_TRUE(EventuallyHolds(room.Input(), L"my draft", 8000));
    Settle(1500);
    EXPECT_EQ(Shown(room).size(), 3u);
    EXPECT_EQ(Shown(room).back(), L"once");
    EXPECT_EQ(app.Dialog(), nullptr) << "no \"Please input more text!\" for a repeated press";
    EXPECT_EQ(app.Text(), L"");
}

std::wstring SendCaption(const QuillonApp& app) {
    wchar_t caption[32] = {};
    GetWindowTextW(app.Control(IDC_COMMAND1), caption, 32);
    return caption;
}

// Send shows a line that is taking its time, and how many lines are still to go.
TEST(PostingWhileTheUserActs, SendLooksBusyWhileALineIsOnItsWayAndCountsTheQueue) {
    PracticeRoom room(kSlowClient);
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 15000));
    EXPECT_EQ(SendCaption(app), L"Send");
    SendWithDraft(app, room, L"slow");
    EXPECT_TRUE(app.WaitUntil(
        [](const QuillonApp& a) { return SendCaption(a) == L"Sending\u2026"; }, 10000));
    app.SetText(L"queued");
    app.Press(IDC_COMMAND1);
    EXPECT_TRUE(
        app.WaitUntil([](const QuillonApp& a) { return SendCaption(a) == L"Sending 2"; }, 10000));
    EXPECT_TRUE(app.WaitUntil([](const QuillonApp& a) { return SendCaption(a) == L"Send"; },
                              15000));
    EXPECT_EQ(Shown(room).size(), 4u);
}

TEST(PostingWhileTheUserActs, TypingDuringThePostStaysAndGoesNext) {
    PracticeRoom room(kSlowClient);
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 15000));
    SendWithDraft(app, room, L"first");
    ASSERT_TRUE(room.WaitForLines(3, 5000));
    app.SetText(L"next");
    EXPECT_TRUE(EventuallyHolds(room.Input(), L"my draft", 8000));
    Settle(500);
    EXPECT_EQ(app.Text(), L"next") << "the end of the post does not clear what was typed since";

    app.Press(IDC_COMMAND1);
    ASSERT_TRUE(room.WaitForLines(4, 5000));
    EXPECT_TRUE(EventuallyHolds(room.Input(), L"my draft", 8000));
    const Lines shown = Shown(room);
    EXPECT_EQ(Lines(shown.begin() + 2, shown.end()), (Lines{L"first", L"next"}));
    EXPECT_EQ(app.Text(), L"");
}

// The dialog's modal loop runs on the window's thread for longer than the post's bound; the
// post runs elsewhere, so the line the client took counts as taken.
TEST(PostingWhileTheUserActs, ColourDialogHeldOpenPastTheBoundChangesNothing) {
    PracticeRoom room(kSlowClient);
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 15000));
    SendWithDraft(app, room, L"colourful");
    ASSERT_TRUE(room.WaitForLines(3, 5000));
    app.ClickLabel(SwatchId(1));
    ASSERT_TRUE(app.WaitUntil([](const QuillonApp& a) { return IsWindowVisible(a.Dialog()) != 0; },
                              5000));
    Settle(11000);
    PostMessageW(app.Dialog(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Dialog() == nullptr; }, 5000));
    Settle(1500);
    EXPECT_EQ(app.Text(), L"") << "taken: the line does not come back";
    EXPECT_EQ(TextOf(room.Input()), L"my draft");
    EXPECT_EQ(Shown(room).size(), 3u);
}

// Closed from outside (not the close mark): no goodbye line, but the post ends and the draft is
// back before the program goes.
TEST(PostingWhileTheUserActs, CloseFromOutsideLetsThePostFinish) {
    PracticeRoom room(kSlowClient);
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 15000));
    SendWithDraft(app, room, L"last one");
    ASSERT_TRUE(room.WaitForLines(3, 5000));
    PostMessageW(app.Form1(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitForExit(20000));
    EXPECT_EQ(TextOf(room.Input()), L"my draft");
    EXPECT_EQ(Shown(room).size(), 3u);
    EXPECT_EQ(Shown(room).back(), L"last one");
}

// Signing out of Windows: the program agrees and, in the few seconds Windows gives, lets the
// line finish and the draft go back; no goodbye line. A session can also end without asking
// first, and then takes the same way.
TEST(PostingWhileTheUserActs, SignOutDuringThePostLetsItFinishWithoutHoldingItUp) {
    for (const bool asked : {true, false}) {
        SCOPED_TRACE(asked ? "asked first" : "not asked");
        PracticeRoom room({L"--empty-delay", L"1000"});
        QuillonApp app;
        ASSERT_TRUE(room.WaitForLines(2, 15000));
        SendWithDraft(app, room, L"before sign-out");
        ASSERT_TRUE(room.WaitForLines(3, 5000));
        DWORD_PTR agreed = 0;
        if (asked) {
            ASSERT_TRUE(SendMessageTimeoutW(app.Form1(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                            SMTO_NORMAL, 8000, &agreed));
            EXPECT_TRUE(agreed);
        }
        SendMessageTimeoutW(app.Form1(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000,
                            nullptr);
        ASSERT_TRUE(app.WaitForExit(10000));
        EXPECT_EQ(TextOf(room.Input()), L"my draft");
        EXPECT_EQ(Shown(room).size(), 3u);
    }
}

// Quillon is closed while a hung client holds the user's chat draft: the draft cannot go back
// there, so the window stays open with it in the box, and the next close ends the program.
TEST(PostingWhileTheUserActs, ADraftThatCannotGoBackAtCloseKeepsQuillonOpen) {
    PracticeRoom room({L"--busy-ms", L"60000", L"--fault-from", L"3"});
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 15000));
    SendWithDraft(app, room, L"stuck");
    ASSERT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Notice() && a.Text() == L"stuck"; }, 20000));
    app.SetText(L"");
    app.ClickLabel(IDC_LABEL2); // the close mark
    ASSERT_TRUE(app.WaitUntil(
        [](const QuillonApp& a) { return IsWindowVisible(a.Form1()) && a.Text() == L"my draft"; },
        30000))
        << app.Text();
    EXPECT_NE(app.NoticeText().find(L"stays open"), std::wstring::npos) << app.NoticeText();
    EXPECT_FALSE(app.WaitForExit(0));
    app.ClickLabel(IDC_LABEL2);
    ASSERT_TRUE(app.WaitForExit(30000)) << "closed again, it ends";
    DWORD code = 1;
    GetExitCodeProcess(app.Process(), &code);
    EXPECT_EQ(code, 0u) << "a sender still blocked in the hung client does not crash the exit";
    EXPECT_EQ(room.Lines().size(), 2u);
}

// Told to close while a refusal box is open: when the box returns, its line is not posted into
// an ending program, nor lost with it (nor does the press find its poster gone); Quillon stays
// open with the line.
TEST(PostingWhileTheUserActs, ClosedWhileARefusalBoxIsOpenKeepsTheLine) {
    PracticeRoom room;
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 15000));
    app.SetText(L"a"); // one character for two colours: refused
    app.Press(IDC_COMMAND1);
    ASSERT_TRUE(app.WaitUntil([](const QuillonApp& a) { return !a.DialogText().empty(); }, 10000));
    PostMessageW(app.Form1(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(
        app.WaitUntil([](const QuillonApp& a) { return !IsWindowVisible(a.Form1()); }, 10000));
    app.AnswerDialog(IDOK);
    ASSERT_TRUE(app.WaitUntil(
        [](const QuillonApp& a) { return IsWindowVisible(a.Form1()) && a.Text() == L"a"; }, 15000))
        << app.Text();
    EXPECT_NE(app.NoticeText().find(L"stays open"), std::wstring::npos) << app.NoticeText();
    PostMessageW(app.Form1(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(app.WaitForExit(15000));
    EXPECT_EQ(room.Lines().size(), 2u);
}

// The client hangs 15 s in Enter: the post gives up and holds the first room's draft. The user
// brings the second room, with a draft of its own, to the front meanwhile. The held draft goes
// back into its own room's input only.
TEST(PostingWhileTheUserActs, HeldDraftGoesBackIntoItsOwnRoomAfterASwitch) {
    PracticeRoom room({L"--rooms", L"2", L"--busy-ms", L"15000", L"--fault-from", L"3"});
    QuillonApp app;
    ASSERT_TRUE(room.WaitForLines(2, 15000));
    const std::vector<HWND> inputs = room.Inputs();
    ASSERT_EQ(inputs.size(), 2u);
    SetTextOf(inputs[0], L"draft one");
    SetTextOf(inputs[1], L"draft two");
    app.SetText(L"hung line");
    app.Press(IDC_COMMAND1);
    Settle(1000); // the client is inside Enter now
    const HWND area = FindWindowExW(room.Frame(), nullptr, L"MDIClient", nullptr);
    PostMessageW(area, WM_MDIACTIVATE,
                 reinterpret_cast<WPARAM>(GetAncestor(inputs[1], GA_PARENT)), 0);

    EXPECT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Notice() && a.Text() == L"hung line"; },
                              15000))
        << "not taken within the bound: the line comes back";
    ASSERT_TRUE(room.WaitForLines(3, 15000)); // the client wakes and takes what its input held
    EXPECT_TRUE(EventuallyHolds(inputs[0], L"draft one", 15000)) << TextOf(inputs[0]);
    EXPECT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 15000))
        << "it went after all: its copy leaves the box";
    Settle(1500);
    EXPECT_EQ(TextOf(inputs[1]), L"draft two");
    EXPECT_EQ(TextOf(inputs[0]), L"draft one");
    EXPECT_EQ(Shown(room).size(), 3u);
    EXPECT_EQ(Shown(room).back(), L"hung line");
}

} // namespace
