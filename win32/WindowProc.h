// The window procedure of a class whose every window belongs to an object, for Quillon's windows
// and the practice room's alike: the object is handed over at creation and finds its messages
// through the window's user data.
#pragma once

#include <windows.h>

namespace win32 {

// Owner provides:
//   static Owner* FromCreation(const CREATESTRUCTW&): the object the window is created for;
//   void Attached(HWND), called on WM_NCCREATE before the object gets it;
//   LRESULT Receive(UINT, WPARAM, LPARAM): every message from WM_NCCREATE to WM_NCDESTROY;
//   void Detached(), after WM_NCDESTROY, when the window no longer leads to the object;
//   static LRESULT Unowned(HWND, UINT, WPARAM, LPARAM): messages while no object is known.
template <class Owner>
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        Owner* self = Owner::FromCreation(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
        self->Attached(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return Owner::Unowned(window, message, wParam, lParam);
    const LRESULT result = self->Receive(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->Detached();
    }
    return result;
}

struct ClassLook {
    UINT style = 0;
    HICON icon = nullptr;
    HBRUSH background = nullptr; // null: the window paints its whole face
};

// Registers a class with the arrow cursor; false when it cannot be (a second registration of the
// same name fails too, and leaves the first in place).
inline bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                                const ClassLook& look) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = look.style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = look.icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = look.background;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

} // namespace win32
