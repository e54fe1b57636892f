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

TTTOOLINFOW Tool(HWND tip) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = GetWindow(tip, GW_OWNER);
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
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance,
                           nullptr);
    if (!tip_)
        return;
    TTTOOLINFOW tool = Tool(tip_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Notice::Show(HWND anchor, std::wstring_view text) {
    if (!tip_ || !anchor || text.empty())
        return;
    Deactivate(tip_); // the new text is laid out afresh
    std::wstring copy(text);
    TTTOOLINFOW tool = Tool(tip_);
    tool.lpszText = copy.data();
    const int dpi = WindowDpi(anchor);
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(kMaxWidth96, dpi, kDesignDpi));
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));

    // Below the anchor, or above it where the work area ends; never off the work area.
    RECT at{};
    GetWindowRect(anchor, &at);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const LRESULT size = SendMessageW(tip_, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&tool));
    const int width = LOWORD(size), height = HIWORD(size);
    int x = at.left + MulDiv(kIndent96, dpi, kDesignDpi);
    int y = at.bottom;
    if (y + height > work.bottom)
        y = at.top - height;
    x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - width));
    y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - height));
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(tip_, kHideTimer, kShownMs, HideLater);
}

void Notice::Hide() {
    if (tip_)
        Deactivate(tip_);
}

bool Notice::Visible() const {
    return tip_ && IsWindowVisible(tip_);
}

} // namespace quillon
