#include "RoomWindow.h"

#include "Classes.h"

#include <richedit.h>

#include <algorithm>

namespace {

constexpr UINT_PTR kEmptyTimer = 1;
constexpr UINT kCrashExitCode = 3;
constexpr int kSendId = 101;
// Lengths at 96 dpi; the room scales them with the display.
constexpr int kMargin = 8;
constexpr int kLabelHeight = 26;
constexpr int kPeopleWidth = 170;
constexpr int kInputHeight = 54;
constexpr LPARAM kTextLimit = 16 * 1024 * 1024;

constexpr const wchar_t* kOthers[] = {L"Quiet Otter", L"Sunny Jay", L"Maple Leaf", L"Night Owl",
                                      L"River Stone"};

} // namespace

bool RoomWindow::OnCreate() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int id) {
        return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                               window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
    };
    // The order of creation is the child order a client searching the room relies on.
    transcriptWindow_ =
        child(kRichClass, L"", ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL,
              WS_EX_CLIENTEDGE, 100);
    input_ = child(kRichClass, L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 102);
    people_ = child(kListClass, L"", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                    WS_EX_CLIENTEDGE, 103);
    send_ = child(kIconClass, L"Send", BS_PUSHBUTTON | WS_TABSTOP, 0, kSendId);
    label_ = child(kStaticClass, L"", SS_CENTERIMAGE | SS_LEFT, 0, 104);
    if (!transcriptWindow_ || !input_ || !people_ || !send_ || !label_)
        return false;

    transcript_.Attach(transcriptWindow_);
    wchar_t caption[256] = L"";
    GetWindowTextW(window_, caption, 256);
    SetWindowTextW(label_, (std::wstring(L"  ") + caption).c_str());
    for (HWND control : {transcriptWindow_, input_, people_, send_})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(look_.text.get()), FALSE);
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(look_.title.get()), FALSE);
    SendMessageW(transcriptWindow_, EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255));
    // Faded lines run to many times the length of what was typed.
    SendMessageW(transcriptWindow_, EM_EXLIMITTEXT, 0, kTextLimit);
    SendMessageW(input_, EM_EXLIMITTEXT, 0, kTextLimit);

    SendMessageW(people_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rules_.screenName.c_str()));
    for (const wchar_t* other : kOthers)
        SendMessageW(people_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(other));
    return true;
}

void RoomWindow::OnSize(int width, int height) {
    const int margin = look_.Scaled(kMargin), label = look_.Scaled(kLabelHeight);
    const int people = look_.Scaled(kPeopleWidth), input = look_.Scaled(kInputHeight);
    const int top = margin + label + margin;
    const int leftWidth = std::max(look_.Scaled(40), width - 3 * margin - people);
    const int rightX = margin + leftWidth + margin;
    const int bottomY = std::max(top + look_.Scaled(40), height - margin - input);
    const int middleHeight = bottomY - margin - top;
    MoveWindow(label_, margin, margin, width - 2 * margin, label, TRUE);
    MoveWindow(transcriptWindow_, margin, top, leftWidth, middleHeight, TRUE);
    MoveWindow(people_, rightX, top, people, middleHeight, TRUE);
    MoveWindow(input_, margin, bottomY, leftWidth, input, TRUE);
    MoveWindow(send_, rightX, bottomY, people, input, TRUE);
}

std::wstring RoomWindow::InputText() const {
    return RichText(input_);
}

// A client that hangs or crashes while it handles Enter, before it has taken the line.
void RoomWindow::OnEnter() {
    if (InputText().empty() || ++linesOffered_ < rules_.faultFrom) {
        TakeLine();
        return;
    }
    if (rules_.exitOnEnter)
        ExitProcess(kCrashExitCode); // no goodbye: nothing is taken, nothing is cleaned up
    if (rules_.busyMs > 0)
        Sleep(static_cast<DWORD>(rules_.busyMs)); // answers nothing, sent messages included
    TakeLine();
}

void RoomWindow::TakeLine() {
    const std::wstring line = InputText();
    if (line.empty())
        return; // pressing Enter on an empty input sends nothing
    log_.Append(line);
    transcript_.AppendLine(rules_.screenName, line, rules_.renderReferences);
    if (rules_.closeOnLine) {
        SendMessageW(GetParent(window_), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window_), 0);
        return;
    }
    if (rules_.neverEmpty)
        return;
    if (rules_.emptyDelayMs > 0)
        SetTimer(window_, kEmptyTimer, static_cast<UINT>(rules_.emptyDelayMs), nullptr);
    else
        SetWindowTextW(input_, L"");
}

LRESULT RoomWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (!OnCreate())
            return -1;
        break;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        break; // DefMDIChildProc needs WM_SIZE too
    case kLineEntered:
        OnEnter();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kSendId && HIWORD(wParam) == BN_CLICKED) {
            TakeLine();
            if (IsWindow(input_) && GetForegroundWindow() == GetAncestor(input_, GA_ROOT))
                SetFocus(input_);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kEmptyTimer) {
            KillTimer(window_, kEmptyTimer);
            SetWindowTextW(input_, L"");
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == label_) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, look_.bandText);
            SetBkColor(dc, look_.bandColour);
            return reinterpret_cast<LRESULT>(look_.band.get());
        }
        break;
    case WM_SETFOCUS:
        SetFocus(input_);
        return 0;
    }
    return MdiChild::HandleMessage(message, wParam, lParam);
}
