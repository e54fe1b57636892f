#include "PendingEvents.h"

#include "Korvelix6o.h"

#include <windows.h>

#include <utility>

namespace Korvelix6o {

namespace {
// A window that keeps posting to itself must not hold a pass forever.
constexpr int kMaxEventsPerPass = 256;
EventFilter eventFilter;
} // namespace

void SetEventFilter(EventFilter filter) {
    eventFilter = std::move(filter);
}

// WM_QUIT is only put back after the pass: it is fetched ahead of timers and painting, which
// would otherwise never run again while a wait polls.
void RunPendingEvents() {
    bool quit = false;
    WPARAM exitCode = 0;
    MSG msg;
    for (int i = 0; i < kMaxEventsPerPass && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            quit = true;
            exitCode = msg.wParam;
            continue;
        }
        if (eventFilter && eventFilter(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (quit)
        PostQuitMessage(static_cast<int>(exitCode));
}

void WaitForEvents(std::chrono::milliseconds timeout) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(timeout.count()), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

} // namespace Korvelix6o
