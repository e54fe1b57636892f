// Base of Quillon's top-level windows: the window procedure finds the object through the
// pointer handed to CreateWindowExW and calls its HandleMessage.
#pragma once

#include <windows.h>

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
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WndProc;
        wc.hInstance = instance;
        wc.hIcon = icon;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = nullptr; // the window paints its whole face
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
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
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept {
        if (message == WM_NCCREATE) {
            auto* self =
                static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        LRESULT result = 0;
        try {
            result = self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            result = DefWindowProcW(hwnd, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            self->OnFinalMessage();
        }
        return result;
    }
};

} // namespace quillon
