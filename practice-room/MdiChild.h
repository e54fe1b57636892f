// Base of the client's inner windows: MDI children of the one class "AOL Child".
#pragma once

#include <windows.h>

#include <string>

#include "WindowProc.h"

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
    friend LRESULT CALLBACK win32::WindowProc<MdiChild>(HWND, UINT, WPARAM, LPARAM) noexcept;
    static MdiChild* FromCreation(const CREATESTRUCTW& create) {
        return reinterpret_cast<MdiChild*>(
            static_cast<const MDICREATESTRUCTW*>(create.lpCreateParams)->lParam);
    }
    static LRESULT Unowned(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefMDIChildProcW(window, message, wParam, lParam);
    }
    void Attached(HWND window) { window_ = window; }
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) {
        return HandleMessage(message, wParam, lParam);
    }
    void Detached() { window_ = nullptr; }
};
