// Display scale: per-monitor awareness and the DPI a window is shown at.
#pragma once

#include <windows.h>

namespace quillon {

constexpr int kDesignDpi = 96;

// Per-monitor v2 where Windows has it, then per-monitor, then system awareness. The manifest
// asks for the same; this covers a process it does not apply to. The entry points are looked up
// at run time, so Quillon still starts on Windows 7.
void EnableDpiAwareness();

// The DPI of a window's monitor as the window sees it; the system DPI where Windows cannot tell.
int WindowDpi(HWND window);

// The DPI of the monitor holding a screen point, for a window that is not made yet.
int DpiAt(POINT screenPoint);

} // namespace quillon
