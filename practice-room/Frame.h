// The client's main window "AOL Frame25" with its MDI area and inner windows.
#pragma once

#include <memory>
#include <vector>

#include "ChatLog.h"
#include "Look.h"
#include "MdiChild.h"
#include "Options.h"
#include "RoomWindow.h"

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
    static LRESULT CALLBACK s_WndProc(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept;
};
