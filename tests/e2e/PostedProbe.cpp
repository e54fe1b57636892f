#include "PostedProbe.h"

#include <algorithm>
#include <chrono>

namespace {
using Clock = std::chrono::steady_clock;
constexpr DWORD kPauseMs = 10; // between probes
constexpr UINT kReadTimeoutMs = 2000;
} // namespace

PostedProbe::PostedProbe(HWND comboBox) : combo_(comboBox), thread_([this] { Run(); }) {}

PostedProbe::~PostedProbe() {
    stop_ = true;
    thread_.join();
}

// A probe not answered yet counts with the time it has waited so far, so a window that stops
// answering shows as such and does not simply stop adding probes.
unsigned PostedProbe::LongestMs() const {
    const long long since = pendingSince_;
    if (since == 0)
        return longestMs_;
    const auto waiting = std::chrono::duration_cast<std::chrono::milliseconds>(
        Clock::now().time_since_epoch() - Clock::duration(since));
    return std::max(longestMs_.load(), static_cast<unsigned>(waiting.count()));
}

void PostedProbe::Run() {
    for (WORD end = 1; !stop_ && IsWindow(combo_); end = end == 1 ? 2 : 1) {
        if (!PostMessageW(combo_, CB_SETEDITSEL, 0, MAKELPARAM(0, end)))
            return;
        const auto posted = Clock::now();
        pendingSince_ = posted.time_since_epoch().count();
        // Read back with sent messages, which the thread answers even inside a send.
        for (;;) {
            DWORD_PTR selection = 0;
            const bool read = SendMessageTimeoutW(combo_, CB_GETEDITSEL, 0, 0, SMTO_NORMAL,
                                                  kReadTimeoutMs, &selection) != 0;
            const auto waited =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - posted);
            if ((read && HIWORD(selection) == end) || stop_ || !IsWindow(combo_)) {
                pendingSince_ = 0;
                if (read && HIWORD(selection) == end) {
                    ++probes_;
                    if (static_cast<unsigned>(waited.count()) > longestMs_)
                        longestMs_ = static_cast<unsigned>(waited.count());
                }
                break;
            }
            Sleep(1);
        }
        Sleep(kPauseMs);
    }
}
