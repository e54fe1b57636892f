// The client's main window "AOL Frame25" with its MDI area and inner windows.
#pragma once

#include <memory>
#include <vector>

#include "ChatLog.h"
#include "Look.h"
#include "MdiChild.h"
#include "Options.h"
#include "RoomWindow.h"
#include "WindowProc.h"

class Frame {
  public:
    static bool RegisterWindowClass(HINSTANCE instance);
    // Null when the window cannot be made.
    static std::unique_ptr<Frame> Create(const Options& options, int showCommand);
    HWND Window() const { return window_; }
    HWND MdiArea() const { return mdiArea_; }

  private:
    explicit Frame(const Options& options);
    Options options_;
    RoomRules rules_;
    ChatLog log_;
    Look look_;
    int linesOffered_ = 0;
    HWND window_ = nullptr;
    HWND mdiArea_ = nullptr;
    std::vector<std::unique_ptr<MdiChild>> children_;

    bool Populate();

    friend LRESULT CALLBACK win32::WindowProc<Frame>(HWND, UINT, WPARAM, LPARAM) noexcept;
    static Frame* FromCreation(const CREATESTRUCTW& create) {
        return static_cast<Frame*>(create.lpCreateParams);
    }
    static LRESULT Unowned(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefFrameProcW(window, nullptr, message, wParam, lParam);
    }
    void Attached(HWND window) { window_ = window; }
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);
    void Detached() {
        window_ = nullptr;
        mdiArea_ = nullptr;
    }
};
