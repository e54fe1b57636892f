// Base of the client's inner windows: MDI children of the one class "AOL Child".
#pragma once

#include <windows.h>

#include <string>

inline constexpr wchar_t kChildClass[] = L"AOL Child";

class MdiChild {
  public:
    MdiChild() = default;
    MdiChild(const MdiChild&) = delete;
    MdiChild& operator=(const MdiChild&) = delete;
    virtual ~MdiChild() = default;

    static bool RegisterWindowClass(HINSTANCE instance);

    // Created in front of the other inner windows, as the platform's MDI does it.
    bool Create(HWND mdiClient, const std::wstring& caption, const RECT& bounds);
    HWND Window() const { return window_; }

  protected:
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefMDIChildProcW(window_, message, wParam, lParam);
    }
    HWND window_ = nullptr;

  private:
    static LRESULT CALLBACK s_WndProc(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept;
};
