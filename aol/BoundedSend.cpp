#include "BoundedSend.h"

#include "PendingEvents.h"

#include <algorithm>

namespace Korvelix6o {

namespace {
// Short enough that queued input and painting run several times within a quarter second even
// when every try runs out. A client slow at a message gets longer tries, up to the longest.
constexpr auto kFirstTry = std::chrono::milliseconds(30);
constexpr auto kLongestTry = std::chrono::milliseconds(120);
} // namespace

std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   Clock::time_point deadline) {
    for (auto tryLength = kFirstTry;; tryLength = std::min(2 * tryLength, kLongestTry)) {
        const auto start = Clock::now();
        DWORD_PTR result = 0;
        SetLastError(ERROR_SUCCESS);
        if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                static_cast<UINT>(tryLength.count()), &result))
            return static_cast<LRESULT>(result);
        // A client that died takes its windows with it, and one running with higher rights
        // than ours refuses our messages for good: no point waiting out the bound for either.
        if (GetLastError() == ERROR_ACCESS_DENIED || !IsWindow(window) || Clock::now() >= deadline)
            return std::nullopt;
        RunPendingEvents();
        // A window the platform deems hung fails at once; do not spin on it.
        const auto spent = Clock::now() - start;
        if (spent < tryLength)
            WaitForEvents(std::chrono::duration_cast<std::chrono::milliseconds>(tryLength - spent));
    }
}

} // namespace Korvelix6o
