// Base of Quillon's top-level windows: the one window procedure finds the object through the
// pointer handed to CreateWindowExW and calls its HandleMessage.
#pragma once

#include <windows.h>

#include "WindowProc.h"

namespace quillon {

class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() {
        if (hwnd_) {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            DestroyWindow(hwnd_);
        }
    }

    HWND Hwnd() const { return hwnd_; }

  protected:
    // Registers the class once per process; a second registration is harmless.
    static void Register(HINSTANCE instance, const wchar_t* className, HICON icon) {
        win32::RegisterWindowClass(instance, className, win32::WindowProc<Window>, {.icon = icon});
    }

    HWND Create(HINSTANCE instance, const wchar_t* className, const wchar_t* caption, DWORD style,
                DWORD exStyle, const RECT& bounds) {
        return CreateWindowExW(exStyle, className, caption, style, bounds.left, bounds.top,
                               bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr,
                               nullptr, instance, this);
    }

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void OnFinalMessage() {} // after WM_NCDESTROY; the handle is gone

    HWND hwnd_ = nullptr;

  private:
    friend LRESULT CALLBACK win32::WindowProc<Window>(HWND, UINT, WPARAM, LPARAM) noexcept;
    static Window* FromCreation(const CREATESTRUCTW& create) {
        return static_cast<Window*>(create.lpCreateParams);
    }
    static LRESULT Unowned(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    void Attached(HWND hwnd) { hwnd_ = hwnd; }
    // A message whose handling fails gets the default handling instead.
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) {
        const HWND hwnd = hwnd_;
        try {
            return HandleMessage(message, wParam, lParam);
        } catch (...) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
    }
    void Detached() {
        hwnd_ = nullptr;
        OnFinalMessage();
    }
};

} // namespace quillon
