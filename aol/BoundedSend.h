// The one way messages reach the client's windows: bounded in time, and never holding this
// thread's posted events (paint, typing, clicks) for longer than one short try.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>

namespace Korvelix6o {

using Clock = std::chrono::steady_clock;

// Sends and waits for the answer until the deadline, letting this thread's pending events run
// between short tries. Nothing when the window is gone or did not answer in time.
//
// A try that times out is cancelled if the window never picked it up, but runs to its end if
// it was already handling it: only messages that may safely arrive twice (reads, WM_SETTEXT)
// belong here. A deadline already passed makes it one try. Pointers handed over stay valid for the
// client because the platform copies them into the client's process; a window of our own process on
// another thread would read ours.
std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   Clock::time_point deadline);

} // namespace Korvelix6o
