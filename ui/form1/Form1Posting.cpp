// Send, the close mark and every other way of ending: the lines go to the poster's thread, and
// what became of them comes back here as a posted message.
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
}

void Form1::Command1_Click() {
    const SendInputs in = ReadSendInputs();
    // A repeated press while the line it sent is still on its way.
    if (in.line.empty() && poster_->Busy())
        return;
    const auto message = BuildSendMessage(in);
    if (!message)
        return;
    // The line leaves the box now: the next one can be typed while this one is on its way, and
    // is never taken for it. A line that fails comes back.
    HWND text1 = Control(IDC_TEXT1);
    SetWindowTextW(text1, L"");
    if (!poster_->Busy())
        busySince_ = GetTickCount();
    poster_->Send(*message, in.line);
    SetTimer(hwnd_, kSendLookTimer, kSendLookMs, nullptr);
    ShowSendBusy();
    if (IsWindowVisible(hwnd_))
        SetFocus(text1);
}

void Form1::OnPostsNews() {
    if (!poster_)
        return;
    std::u16string failed;
    std::optional<Poster::Done> firstFailure;
    bool startedUp = false;
    for (Poster::Done& done : poster_->TakeDone()) {
        if (done.typed.empty() && startLinesLeft_ > 0)
            startedUp = --startLinesLeft_ == 0;
        if (done.outcome == Korvelix6o::PostOutcome::taken || done.typed.empty())
            continue;
        if (!failed.empty())
            failed += u' ';
        failed += done.typed;
        if (!firstFailure)
            firstFailure = done;
    }
    const std::size_t held = poster_->HeldDrafts();
    const bool draftHeld = held > heldDrafts_;
    heldDrafts_ = held;
    if (!failed.empty() && !ended_)
        GiveBackLine(failed);
    ShowSendBusy();
    if (startedUp && !closing_) {
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
    }
    if (!closing_ && !ended_ && (firstFailure || draftHeld) && IsWindowVisible(hwnd_))
        TellWhatBecameOf(firstFailure ? &*firstFailure : nullptr, draftHeld);
    if (poster_->Ended())
        EndProgram();
}

// One balloon at the text line: why the line did not go and what to do, and a word about the
// chat room draft that waits for the client.
void Form1::TellWhatBecameOf(const Poster::Done* failed, bool draftHeld) {
    using Korvelix6o::PostOutcome;
    std::wstring text;
    if (failed) {
        switch (failed->outcome) {
        case PostOutcome::noClient:
            text = L"No chat client is running. Start it, sign on and open a chat room, then "
                   L"press Send again.";
            break;
        case PostOutcome::noRoom:
            text = L"The chat client has no chat room open. Open one, then press Send again.";
            break;
        case PostOutcome::notTaken:
            text = L"The chat client did not take the line within 10 seconds. Your line is kept "
                   L"here: press Send to try again.";
            break;
        case PostOutcome::clientGone:
            text = L"The chat client closed while the line was on its way. Your line is kept "
                   L"here.";
            break;
        case PostOutcome::refused:
            text = L"The chat client runs with higher rights and refuses Quillon. Start Quillon "
                   L"the same way (as administrator, say).";
            break;
        case PostOutcome::taken:
            break;
        }
    }
    if (draftHeld) {
        if (!text.empty())
            text += L"\n";
        text += L"What you had typed in the chat room goes back there once the client answers "
                L"again.";
    }
    notice_.Show(Control(IDC_TEXT1), text);
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

// In front of whatever was typed since, and selected, so the user sees what did not go.
void Form1::GiveBackLine(const std::u16string& line) {
    HWND text1 = Control(IDC_TEXT1);
    const std::u16string typed = WindowText(text1);
    std::u16string joined = line;
    if (!typed.empty())
        joined += u' ' + typed;
    SetWindowTextW(text1, ToWide(joined).c_str());
    SendMessageW(text1, EM_SETSEL, 0, static_cast<LPARAM>(line.size()));
}

void Form1::Label2_Click() {
    BeginClose(Announcement(kUnloadedText));
}

// However it is asked for, an end waits for the line on its way (within its bound) and gives
// every held draft its last try; only the close mark says goodbye.
void Form1::BeginClose(std::optional<std::u16string> goodbye) {
    if (closing_ || ended_)
        return;
    closing_ = true;
    poster_->Close(std::move(goodbye));
    // Not waited for: giving up the activation can take Wine a second or two, and a session
    // that ends wants its answer at once.
    ShowWindowAsync(hwnd_, SW_HIDE);
    if (form2_)
        DestroyWindow(form2_->Hwnd());
}

// Windows ends the process soon after this returns; waiting longer would hold up the sign-out.
void Form1::OnSessionEnd() {
    if (poster_->WaitEnded(kSessionEndWait))
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
