// Send through the program's real controls while the chat client hangs, crashes or gets text it
// cannot hold in its code page: the window keeps answering, no line arrives twice, a line that
// was not taken stays in the text box, and the user's draft comes back to the chat input.
#include "ControlIds.h"
#include "PostedProbe.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <memory>
#include <string>
#include <vector>

using namespace quillon;

namespace {

constexpr wchar_t kDraft[] = L"hello";

// The threads a process has now; 0 when they cannot be counted.
unsigned ThreadsOf(HANDLE process) {
    const DWORD id = GetProcessId(process);
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    unsigned count = 0;
    THREADENTRY32 entry{.dwSize = sizeof entry};
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == id;
    CloseHandle(snapshot);
    return count;
}

std::wstring TextOf(HWND window) {
    std::wstring text;
    return ReadText(window, text) ? text : L"<no answer>";
}

// Quillon started once, against a healthy room that takes its start-up lines; each case then
// brings up a room of its own that misbehaves from its first line.
class Faults : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        auto first = std::make_unique<PracticeRoom>();
        app_ = std::make_unique<QuillonApp>();
        ASSERT_TRUE(first->WaitForLines(2, 10000));
    }
    static void TearDownTestSuite() { app_.reset(); }

    // The room's user has typed a draft; the line goes into Text1 and Send is pressed.
    static void SendWithDraft(const PracticeRoom& room, const std::wstring& line) {
        ASSERT_NE(room.Input(), nullptr);
        SendMessageW(room.Input(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kDraft));
        app_->SetText(line);
        app_->Press(IDC_COMMAND1);
    }

    static bool Eventually(bool (*condition)(const PracticeRoom&), const PracticeRoom& room,
                           DWORD timeoutMs) {
        for (DWORD waited = 0; waited < timeoutMs; waited += 50, Settle(50))
            if (condition(room))
                return true;
        return condition(room);
    }
    static bool DraftIsBack(const PracticeRoom& room) { return TextOf(room.Input()) == kDraft; }

    static inline std::unique_ptr<QuillonApp> app_;
};

TEST_F(Faults, AClientBusySixSecondsCostsOnlyTime) {
    PracticeRoom room({L"--busy-ms", L"6000"});
    PostedProbe probe(app_->Control(IDC_COMBO1));
    SendWithDraft(room, L"slow line");
    ASSERT_TRUE(room.WaitForLines(1, 20000));
    EXPECT_TRUE(app_->WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 5000))
        << "taken: Text1 is emptied";
    EXPECT_TRUE(Eventually(DraftIsBack, room, 5000)) << TextOf(room.Input());
    Settle(1000);
    ASSERT_EQ(room.Lines().size(), 1u) << "posted once";
    EXPECT_EQ(ShownText(room.Lines()[0]), L"slow line");
    EXPECT_GT(probe.Probes(), 20u);
    EXPECT_LE(probe.LongestMs(), kAnswerBoundMs);
}

// The client hangs 25 s inside Enter. After 10 s the line comes back as one that may still
// appear, and Send asks before it goes again; once the client takes it, its copy leaves Text1 and
// the notice says so. It used to come back as "not taken: press Send to try again", and doing so
// posted it twice.
TEST_F(Faults, ALineTheClientTakesLateIsNeverOfferedForASecondSend) {
    PracticeRoom room({L"--busy-ms", L"25000"});
    PostedProbe probe(app_->Control(IDC_COMBO1));
    SendWithDraft(room, L"hung line");
    ASSERT_TRUE(
        app_->WaitUntil([](const QuillonApp& a) { return a.Notice() && a.Text() == L"hung line"; }, 20000));
    EXPECT_EQ(room.Lines().size(), 0u);
    EXPECT_NE(app_->NoticeText().find(L"may still appear"), std::wstring::npos)
        << app_->NoticeText();
    EXPECT_NE(app_->NoticeText().find(L"goes back there"), std::wstring::npos)
        << "the held draft has its word too";

    const unsigned longestWhileHung = probe.LongestMs();

    app_->Press(IDC_COMMAND1);
    ASSERT_TRUE(
        app_->WaitUntil([](const QuillonApp& a) { return !a.DialogText().empty(); }, 10000));
    EXPECT_NE(app_->DialogText().find(L"may still arrive"), std::wstring::npos)
        << app_->DialogText();
    app_->AnswerDialog(IDNO);
    EXPECT_TRUE(app_->WaitUntil(
        [](const QuillonApp& a) { return !a.Dialog() && a.Text() == L"hung line"; }, 10000))
        << "not sent again: the line stays";
    // Wine holds a thread's posted messages for about 2 s once a message box of its is gone,
    // with no window manager to hand the activation to; Windows does not. The probe starts
    // again after that.
    const unsigned answered = probe.Probes();
    for (const DWORD since = GetTickCount();
         probe.Probes() < answered + 2 && GetTickCount() - since < 10000;)
        Settle(20);
    probe.Reset();

    // The client wakes and takes what its input held: the copy goes, the draft comes back.
    ASSERT_TRUE(room.WaitForLines(1, 30000));
    EXPECT_TRUE(app_->WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 15000))
        << app_->Text();
    EXPECT_NE(app_->NoticeText().find(L"after all"), std::wstring::npos) << app_->NoticeText();
    EXPECT_TRUE(Eventually(DraftIsBack, room, 15000)) << TextOf(room.Input());
    Settle(1000);
    ASSERT_EQ(room.Lines().size(), 1u) << "the line arrived once";
    EXPECT_EQ(ShownText(room.Lines()[0]), L"hung line");
    EXPECT_GT(probe.Probes(), 50u);
    EXPECT_LE(longestWhileHung, kAnswerBoundMs);
    EXPECT_LE(probe.LongestMs(), kAnswerBoundMs);
}

// The held draft is offered again every second. Each try that met the hung input used to leave
// one more thread blocked in it (a send to a busy program can overrun its timeout), without end.
TEST_F(Faults, AClientHungForGoodHoldsOneThreadNotOnePerRetry) {
    auto hung = std::make_unique<PracticeRoom>(std::vector<std::wstring>{L"--busy-ms", L"120000"});
    const PracticeRoom& room = *hung;
    const unsigned before = ThreadsOf(app_->Process());
    ASSERT_GT(before, 0u);
    SendWithDraft(room, L"stuck line");
    ASSERT_TRUE(app_->WaitUntil([](const QuillonApp& a) { return a.Notice() && a.Text() == L"stuck line"; },
                                15000))
        << "not taken: the line comes back to Text1";
    Settle(2000); // the post's own put-back is over: the draft is held now
    const unsigned held = ThreadsOf(app_->Process());
    PostedProbe probe(app_->Control(IDC_COMBO1));
    Settle(20000); // twenty retries of the held draft against the same hung input
    const unsigned later = ThreadsOf(app_->Process());
    EXPECT_LE(later, held + 1) << "before the Send " << before << ", once held " << held;
    EXPECT_LE(held, before + 2) << "one sender blocked in the input, no more";
    EXPECT_EQ(room.Lines().size(), 0u);
    EXPECT_EQ(app_->Text(), L"stuck line");
    EXPECT_GT(probe.Probes(), 100u);
    EXPECT_LE(probe.LongestMs(), kAnswerBoundMs);

    // The client is ended: the draft has no room to go back to, so it comes back to the user.
    hung.reset();
    EXPECT_TRUE(
        app_->WaitUntil([](const QuillonApp& a) { return a.Text() == L"hello stuck line"; }, 15000))
        << app_->Text();
    app_->SetText(L"");
}

// The client hangs in Enter past the bound, then takes the line and closes the room: the draft
// that was held for that room comes back into Text1, with a word, instead of going nowhere.
TEST_F(Faults, AHeldDraftWhoseRoomClosesComesBackToTheUser) {
    PracticeRoom room({L"--busy-ms", L"11000", L"--close-on-line"});
    SendWithDraft(room, L"last line here");
    ASSERT_TRUE(
        app_->WaitUntil([](const QuillonApp& a) { return a.Text().find(L"hello") == 0; }, 30000))
        << app_->Text();
    EXPECT_EQ(app_->Text(), L"hello last line here");
    EXPECT_NE(app_->NoticeText().find(L"room closed"), std::wstring::npos) << app_->NoticeText();
    ASSERT_TRUE(room.WaitForLines(1, 5000));
    app_->SetText(L"");
}

// A refusal box is open when a failed line comes back. The press that opened the box had taken
// its own line out of Text1 first, so nothing wipes the failed one when the box closes.
TEST_F(Faults, ALineThatFailsWhileARefusalBoxIsOpenIsKept) {
    PracticeRoom room({L"--busy-ms", L"60000"});
    app_->SetText(L"hello");
    app_->Press(IDC_COMMAND1);
    ASSERT_TRUE(app_->WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 10000));
    app_->SetText(L"k"); // one character for two colours: the fader refuses it
    app_->Press(IDC_COMMAND1);
    ASSERT_TRUE(app_->WaitUntil(
        [](const QuillonApp& a) { return a.DialogText() == L"Please input more text!"; }, 10000));
    EXPECT_TRUE(app_->WaitUntil([](const QuillonApp& a) { return a.Text() == L"hello"; }, 20000))
        << "given back while the box is open: " << app_->Text();
    app_->AnswerDialog(IDOK);
    // "k" goes unfaded, as a refused line does, and fails against the hung client in its turn.
    EXPECT_TRUE(app_->WaitUntil([](const QuillonApp& a) { return a.Text() == L"k hello"; }, 20000))
        << app_->Text();
    EXPECT_EQ(room.Lines().size(), 0u);
    app_->SetText(L"");
}

TEST_F(Faults, AClientThatDiesInEnterLeavesTheLineForTheNextRoom) {
    {
        PracticeRoom dying({L"--exit-on-enter"});
        PostedProbe probe(app_->Control(IDC_COMBO1));
        SendWithDraft(dying, L"line for later");
        ASSERT_TRUE(dying.WaitForExit(10000));
        // Not taken: the line comes back to Text1, and the draft, with no room left to go to,
        // in front of it.
        EXPECT_TRUE(app_->WaitUntil(
            [](const QuillonApp& a) { return a.Text() == L"hello line for later"; }, 10000))
            << app_->Text();
        EXPECT_EQ(dying.Lines().size(), 0u);
        EXPECT_GT(probe.Probes(), 20u);
        EXPECT_LE(probe.LongestMs(), kAnswerBoundMs);
    }
    PracticeRoom next;
    SendWithDraft(next, L"line for later");
    ASSERT_TRUE(next.WaitForLines(1, 10000));
    EXPECT_TRUE(app_->WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 5000));
    EXPECT_TRUE(Eventually(DraftIsBack, next, 5000)) << TextOf(next.Input());
    Settle(500);
    ASSERT_EQ(next.Lines().size(), 1u);
    EXPECT_EQ(ShownText(next.Lines()[0]), L"line for later");
}

TEST_F(Faults, CharactersBeyondTheCodePageArriveAsReferencesAndShowAgain) {
    PracticeRoom room({L"--render-refs"});
    const std::wstring line = L"\u03A9 caf\u00E9 \u2603 \u65E5\u672C \U0001F600";
    SendWithDraft(room, line);
    ASSERT_TRUE(room.WaitForLines(1, 10000));
    EXPECT_TRUE(Eventually(DraftIsBack, room, 5000)) << TextOf(room.Input());
    const std::string raw = room.Lines()[0];
    for (const char* reference : {"&#937;", "&#9731;", "&#26085;", "&#26412;", "&#128512;"})
        EXPECT_NE(raw.find(reference), std::string::npos) << reference << " in " << raw;
    EXPECT_NE(raw.find("\xE9"), std::string::npos) << "in the code page: sent as it is";
    EXPECT_EQ(raw.find('?'), std::string::npos) << "no character replaced by '?'";
    EXPECT_EQ(ShownText(raw), line);
    EXPECT_NE(TextOf(room.Transcript()).find(L"Blue Fox: " + line), std::wstring::npos)
        << "the transcript shows the characters again";
}

} // namespace
