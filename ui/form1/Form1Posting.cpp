// Send, the close mark and every other way of ending: the lines go to the poster's thread, and
// what became of them comes back here as a posted message.
//
// A modal box (a refusal, the question before a line that may have gone is sent again) runs a
// message loop in which the poster's news, and even the end, can arrive. So Send takes its line
// out of Text1 before any box, and every step after a box looks at the window again.
#include "Form1.h"

#include "ControlIds.h"
#include "SendAction.h"
#include "window/Text.h"

namespace quillon {

namespace {
// How long a session that ends may wait for the line on its way and the drafts: Windows gives
// a few seconds before it calls a program hung.
constexpr auto kSessionEndWait = std::chrono::milliseconds(2500);
// A line on its way for longer than this shows on Send; the look is checked this often.
constexpr DWORD kBusyAfterMs = 500;
constexpr UINT kSendLookMs = 100;

// Why a Send did not post, and what the user can do.
std::wstring WhyNotPosted(Korvelix6o::PostOutcome outcome) {
    using Korvelix6o::PostOutcome;
    switch (outcome) {
    case PostOutcome::noClient:
        return L"No chat client is running. Start it, sign on and open a chat room, then press "
               L"Send again.";
    case PostOutcome::noRoom:
        return L"The chat client has no chat room open. Open one, then press Send again.";
    case PostOutcome::notTaken:
        return L"The chat client did not take the line within 10 seconds. Your line is kept "
               L"here: press Send to try again.";
    case PostOutcome::unanswered:
        return L"The chat client has not answered for 10 seconds, so your line may still "
               L"appear in the room. It is kept here; if it appears, Quillon takes it out and "
               L"tells you.";
    case PostOutcome::notEmptied:
        return L"The chat client kept your line in its input for 10 seconds, so it may have "
               L"reached the room or not. It is kept here: look at the room before you send it "
               L"again.";
    case PostOutcome::clientGone:
        return L"The chat client closed while the line was on its way. Your line is kept here.";
    case PostOutcome::refused:
        return L"The chat client runs with higher rights and refuses Quillon. Start Quillon the "
               L"same way (as administrator, say).";
    case PostOutcome::taken:
        break;
    }
    return {};
}

void Say(std::wstring& text, const std::wstring& sentence) {
    if (!sentence.empty())
        text += (text.empty() ? L"" : L"\n") + sentence;
}
} // namespace

bool Form1::PreTranslate(MSG& message) {
    if (!hwnd_)
        return false;
    const bool ours = message.hwnd == hwnd_ || IsChild(hwnd_, message.hwnd);
    // Alt+F4 is what the close mark does: the goodbye line, the drafts back, the end.
    if (ours && message.message == WM_SYSKEYDOWN && message.wParam == VK_F4) {
        Label2_Click();
        return true;
    }
    return TranslateKeys(message) || IsDialogMessageW(hwnd_, &message) != FALSE;
}

void Form1::StartPosting() {
    poster_ = std::make_unique<Poster>(hwnd_, kPostsNews);
    heldDrafts_ = 0;
}

void Form1::Command1_Click() {
    if (!poster_ || closing_ || ended_)
        return;
    const SendInputs in = ReadSendInputs();
    // A repeated press while the line it sent is still on its way.
    if (in.line.empty() && poster_->Busy())
        return;
    // Colour 4 without colour 3: the press does nothing, and the line stays where it is.
    if (!ChooseColourCount(in.check1, in.check2))
        return;
    // The line leaves the box now, before any box of ours can open: the next one can be typed
    // while this one is on its way, and a line given back meanwhile lands in an empty box.
    HWND text1 = Control(IDC_TEXT1);
    SetWindowTextW(text1, L"");
    ++linesInHand_;
    const bool again = SendAgain(in.line);
    std::optional<std::u16string> message;
    if (again)
        message = BuildSendMessage(in); // a refusal is a box of its own, and still posts
    --linesInHand_;
    if (!hwnd_ || ended_)
        return; // the window went while a box was open
    if (!message || closing_ || !poster_) {
        GiveBackLine(in.line);
        if (closing_ && poster_ && poster_->Ended())
            FinishClose();
        return;
    }
    if (!poster_->Busy())
        busySince_ = GetTickCount();
    poster_->Send(*message, in.line);
    SetTimer(hwnd_, kSendLookTimer, kSendLookMs, nullptr);
    ShowSendBusy();
    if (IsWindowVisible(hwnd_))
        SetFocus(text1);
}

// A line that may have reached the room already goes again only when the user says so, and not
// if it is known to have gone while the question was open.
bool Form1::SendAgain(const std::u16string& line) {
    using Clock = LinesInDoubt::Clock;
    const auto doubt = doubts_.In(line, Clock::now());
    if (!doubt)
        return true;
    const std::wstring question =
        Quoted(*doubt) + L" may still arrive in the chat room. Send it again?";
    const int answer =
        MessageBoxW(hwnd_, question.c_str(), L"Send", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES || !hwnd_ || doubts_.In(line, Clock::now()) != doubt)
        return false;
    while (const auto asked = doubts_.In(line, Clock::now()))
        doubts_.Forget(*asked);
    return true;
}

void Form1::OnPostsNews() {
    if (!poster_)
        return;
    Poster::News news = poster_->TakeNews();
    std::u16string back; // the user's lines that did not go, and drafts that cannot go back
    std::optional<Korvelix6o::PostOutcome> firstFailure;
    bool startedUp = false;
    for (const Poster::Done& done : news.done) {
        if (done.typed.empty() && startLinesLeft_ > 0)
            startedUp = --startLinesLeft_ == 0;
        if (done.outcome == Korvelix6o::PostOutcome::taken || done.typed.empty())
            continue;
        if (Korvelix6o::MayHaveGone(done.outcome))
            doubts_.Add(done.id, done.typed, LinesInDoubt::Clock::now());
        back += (back.empty() ? u"" : u" ") + done.typed;
        if (!firstFailure)
            firstFailure = done.outcome;
    }
    for (const std::u16string& draft : news.draftsBack)
        back += (back.empty() ? u"" : u" ") + draft;
    const std::size_t held = poster_->HeldDrafts();
    const bool draftHeld = held > heldDrafts_;
    heldDrafts_ = held;
    if (!back.empty())
        GiveBackLine(back);
    std::wstring text;
    for (const Poster::Done& done : news.wentLate)
        Say(text, TakeBackWhatWent(done.id));
    ShowSendBusy();
    if (startedUp && !closing_) {
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
    }
    if (firstFailure)
        Say(text, WhyNotPosted(*firstFailure));
    if (!news.draftsBack.empty())
        Say(text, L"The chat room closed before what you had typed there could go back, so it "
                  L"is here in the box.");
    if (draftHeld)
        Say(text, L"What you had typed in the chat room goes back there once the client answers "
                  L"again.");
    if (!closing_ && !text.empty() && IsWindowVisible(hwnd_))
        notice_.Show(Control(IDC_TEXT1), text);
    if (poster_->Ended())
        FinishClose();
}

// A line that may have gone did go: its copy leaves Text1 if the user has not touched the box
// since. What to tell the user; nothing when the line was no longer in doubt (sent again).
std::wstring Form1::TakeBackWhatWent(Poster::LineId id) {
    const auto line = doubts_.Went(id);
    if (!line)
        return {};
    HWND text1 = Control(IDC_TEXT1);
    const std::u16string now = WindowText(text1);
    const auto at = now == text1Given_ ? FindPart(now, *line) : std::nullopt;
    if (!at)
        return L"The chat client took your line " + Quoted(*line) +
               L" after all: it is in the room now. The box still holds it, so do not send it "
               L"again unless you mean to.";
    text1Given_ = WithoutPart(now, *at, line->size());
    SetWindowTextW(text1, ToWide(text1Given_).c_str());
    return L"The chat client took your line " + Quoted(*line) +
           L" after all: it is in the room now, and no longer here.";
}

// "Sending…" once a line has been on its way for a moment; with more lines behind it, how many
// are still to go. The button also looks pressed meanwhile.
void Form1::ShowSendBusy() {
    HWND send = Control(IDC_COMMAND1);
    const bool busy = poster_ && poster_->Busy();
    std::wstring caption = L"Send";
    if (busy && GetTickCount() - busySince_ >= kBusyAfterMs) {
        const std::size_t toGo = poster_->Waiting() + 1;
        caption = toGo > 1 ? L"Sending " + std::to_wstring(toGo) : L"Sending\u2026";
    }
    if (WindowText(send) != ToU16(caption)) {
        SetWindowTextW(send, caption.c_str());
        SendMessageW(send, BM_SETSTATE, caption != L"Send", 0);
    }
    if (!busy)
        KillTimer(hwnd_, kSendLookTimer);
}

// In front of whatever was typed since, and selected, so the user sees what did not go. What
// comes back while Quillon ends keeps it open.
void Form1::GiveBackLine(const std::u16string& line) {
    HWND text1 = Control(IDC_TEXT1);
    const std::u16string typed = WindowText(text1);
    text1Given_ = line;
    if (!typed.empty())
        text1Given_ += u' ' + typed;
    SetWindowTextW(text1, ToWide(text1Given_).c_str());
    SendMessageW(text1, EM_SETSEL, 0, static_cast<LPARAM>(line.size()));
    if (closing_)
        keptOnClose_ = true;
}

void Form1::Label2_Click() {
    std::optional<std::u16string> goodbye;
    if (!saidGoodbye_ && !closing_ && !ended_) {
        goodbye = Announcement(kUnloadedText);
        saidGoodbye_ = true;
    }
    BeginClose(std::move(goodbye));
}

// However it is asked for, an end waits for the line on its way (within its bound) and gives
// every held draft its last try; only the close mark says goodbye.
void Form1::BeginClose(std::optional<std::u16string> goodbye) {
    if (closing_ || ended_ || !poster_)
        return;
    closing_ = true;
    poster_->Close(std::move(goodbye));
    // Not waited for: giving up the activation can take Wine a second or two, and a session
    // that ends wants its answer at once.
    ShowWindowAsync(hwnd_, SW_HIDE);
    if (form2_)
        DestroyWindow(form2_->Hwnd());
}

// The poster is over. The program ends, unless something came back that would be lost with it:
// then the window stays, with it in the box, until the user closes again.
void Form1::FinishClose() {
    if (linesInHand_ > 0)
        return; // a box holds a line; once it returns, the line comes back and this runs again
    if (!keptOnClose_ || sessionEnding_) {
        EndProgram();
        return;
    }
    keptOnClose_ = false;
    closing_ = false;
    StartPosting(); // the last one has ended
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(Control(IDC_TEXT1));
    notice_.Show(Control(IDC_TEXT1),
                 L"Quillon stays open: what is in the box could not go before it closed. Close "
                 L"Quillon again to leave without it.");
}

// Windows ends the process soon after this returns; waiting longer would hold up the sign-out.
// A session can end without asking first.
void Form1::OnSessionEnd() {
    sessionEnding_ = true;
    BeginClose(std::nullopt);
    if (poster_ && poster_->WaitEnded(kSessionEndWait))
        EndProgram();
}

void Form1::EndProgram() {
    if (hwnd_)
        DestroyWindow(hwnd_); // WM_DESTROY tears down and posts the quit message
}

// The one teardown, whichever way the window goes.
void Form1::TearDown() {
    ended_ = true;
    if (form2_)
        DestroyWindow(form2_->Hwnd());
    poster_.reset();
    fadeWorker_.reset(); // a change to the fades file in flight is made first
}

} // namespace quillon
