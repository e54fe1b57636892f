#include "Notice.h"

#include "Dpi.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace quillon {

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr UINT_PTR kHideTimer = 1;
constexpr int kMaxWidth96 = 320; // at 96 DPI; wider text wraps
constexpr int kIndent96 = 16;    // the balloon points this far into the anchor

// The balloon's one tool belongs to the owner, kept in the tooltip's user data.
TTTOOLINFOW Tool(HWND tip) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = reinterpret_cast<HWND>(GetWindowLongPtrW(tip, GWLP_USERDATA));
    tool.uId = kToolId;
    return tool;
}

void Deactivate(HWND tip) {
    KillTimer(tip, kHideTimer);
    TTTOOLINFOW tool = Tool(tip);
    SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void CALLBACK HideLater(HWND tip, UINT, UINT_PTR, DWORD) {
    Deactivate(tip);
}

} // namespace

Notice::~Notice() {
    if (tip_ && IsWindow(tip_))
        DestroyWindow(tip_);
}

void Notice::Attach(HWND owner) {
    if (tip_ && IsWindow(tip_))
        DestroyWindow(tip_);
    // No owner window: under Wine a window with an owned topmost popup is no longer made topmost
    // itself, and Form1 stays on top. The owner hides the balloon when it hides.
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                           nullptr);
    if (!tip_)
        return;
    SetWindowLongPtrW(tip_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    TTTOOLINFOW tool = Tool(tip_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Notice::Show(HWND anchor, std::wstring_view text) {
    if (!tip_ || !IsWindow(tip_) || !anchor || text.empty())
        return;
    Deactivate(tip_); // the new text is laid out afresh
    std::wstring copy(text);
    TTTOOLINFOW tool = Tool(tip_);
    tool.lpszText = copy.data();
    const int dpi = WindowDpi(anchor);
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(kMaxWidth96, dpi, kDesignDpi));
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));

    // Below the anchor, or above it where the work area ends; never off the work area. The
    // balloon is measured where it first shows, as it laid out the text, then moved.
    RECT at{};
    GetWindowRect(anchor, &at);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const POINT first{at.left + MulDiv(kIndent96, dpi, kDesignDpi), at.bottom};
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(first.x, first.y));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    RECT shown{};
    GetWindowRect(tip_, &shown);
    const int width = shown.right - shown.left, height = shown.bottom - shown.top;
    auto place = [](int wanted, int low, int high) {
        return std::max(low, std::min(wanted, high));
    };
    const int x = place(first.x, work.left, work.right - width);
    const int y = place(at.bottom + height <= work.bottom ? at.bottom : at.top - height, work.top,
                        work.bottom - height);
    if (x != shown.left || y != shown.top) // the track point need not be the window's corner
        SendMessageW(tip_, TTM_TRACKPOSITION, 0,
                     MAKELPARAM(first.x + x - shown.left, first.y + y - shown.top));
    SetTimer(tip_, kHideTimer, kShownMs, HideLater);
}

void Notice::Hide() {
    if (tip_ && IsWindow(tip_))
        Deactivate(tip_);
}

bool Notice::Visible() const {
    return tip_ && IsWindowVisible(tip_);
}

} // namespace quillon
