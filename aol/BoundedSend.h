// The one way messages reach the client's windows: bounded in time, and never holding this
// thread's posted events (paint, typing, clicks) for longer than a few tens of milliseconds.
#pragma once

#include "Korvelix6o.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace Korvelix6o {

using Clock = std::chrono::steady_clock;

// Sends once and waits for the answer until the deadline, letting this thread's pending events
// run while the window is slow. Nothing when the window is gone or did not answer in time; a
// message it never picked up by then is cancelled (Wine may still deliver it once the window's
// thread is free again), one it was handling runs to its end.
//
// A window keeps at most one such unfinished send: while one is still blocked, further sends to
// it answer nothing at once, so a client hung for good holds one thread, not one per try.
// late, if given, receives the unfinished send when the wait gave up on it.
//
// text, if given, is what lParam points to: its bytes go with the message and, for messages
// that write into the buffer (WM_GETTEXT, sized by wParam), come back into it on an answer.
std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam,
                                   Clock::time_point deadline, std::string* text = nullptr,
                                   std::shared_ptr<const LateSend>* late = nullptr);

// True while an earlier send to the window is still blocked.
bool StillBlocked(HWND window);

// True when the last send to the window was refused outright (ERROR_ACCESS_DENIED): the window
// belongs to a program that runs with higher rights than ours.
bool Refused(HWND window);

// The call that makes each send; tests put one in that fails as a refusing window does, which a
// single machine without integrity levels cannot show.
using SendFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR);
void SetSendFunction(SendFunction send);

} // namespace Korvelix6o
