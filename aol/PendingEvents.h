// Letting this thread's queued window events run in the middle of a search or a wait.
#pragma once

#include <chrono>

namespace Korvelix6o {

// One pass over what is queued now; a WM_QUIT met on the way is kept for the main loop.
void RunPendingEvents();

// Sleeps until an event arrives or the timeout passes, so a polling loop does not spin.
void WaitForEvents(std::chrono::milliseconds timeout);

} // namespace Korvelix6o
