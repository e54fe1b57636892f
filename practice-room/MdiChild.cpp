#include "MdiChild.h"

bool MdiChild::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = s_WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kChildClass;
    return RegisterClassExW(&wc) != 0;
}

bool MdiChild::Create(HWND mdiClient, const std::wstring& caption, const RECT& bounds) {
    MDICREATESTRUCTW create{};
    create.szClass = kChildClass;
    create.szTitle = caption.c_str();
    create.hOwner = GetModuleHandleW(nullptr);
    create.x = bounds.left;
    create.y = bounds.top;
    create.cx = bounds.right - bounds.left;
    create.cy = bounds.bottom - bounds.top;
    create.lParam = reinterpret_cast<LPARAM>(this);
    return SendMessageW(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)) != 0;
}

LRESULT CALLBACK MdiChild::s_WndProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        const auto* mdi = static_cast<const MDICREATESTRUCTW*>(cs->lpCreateParams);
        auto* self = reinterpret_cast<MdiChild*>(mdi->lParam);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MdiChild*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefMDIChildProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return result;
    }
    return self->HandleMessage(message, wParam, lParam);
}
