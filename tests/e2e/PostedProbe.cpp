#include "PostedProbe.h"

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

void PostedProbe::Run() {
    for (WORD end = 1; !stop_ && IsWindow(combo_); end = end == 1 ? 2 : 1) {
        if (!PostMessageW(combo_, CB_SETEDITSEL, 0, MAKELPARAM(0, end)))
            return;
        const auto posted = Clock::now();
        // Read back with sent messages, which the thread answers even inside a send.
        for (;;) {
            DWORD_PTR selection = 0;
            const bool read = SendMessageTimeoutW(combo_, CB_GETEDITSEL, 0, 0, SMTO_NORMAL,
                                                  kReadTimeoutMs, &selection) != 0;
            const auto waited =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - posted);
            if ((read && HIWORD(selection) == end) || stop_ || !IsWindow(combo_)) {
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
