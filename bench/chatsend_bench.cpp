// ChatSend against the practice room: round-trip time beside the same posting sequence made of
// plain SendMessageA calls (interleaved, so both see the same machine), memory and handle counts
// over many posts, and the CPU our side burns while a slow client holds the line.
// Run by hand under Xvfb and Wine, with practice-room.exe beside it:
//   xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '. scripts/wine-env.sh; wine_start;
//       $quillon_wine build/windows/bin/chatsend_bench.exe 200; wine_stop'
// It prints the bounded path beside the plain one and the ratio of their medians.
#include "GdiObjects.h"
#include "Korvelix6o.h"
#include "PendingEvents.h"
#include "PracticeRoom.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

std::size_t WorkingSetKb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize / 1024;
}

// About the size of a faded line of twenty characters.
std::u16string FadedLine(int n) {
    std::u16string line = u"<font face=Arial>";
    for (int i = 0; i < 20; ++i) {
        line.append(u"<font color=#");
        line.append(6, u"0123456789ABCDEF"[(n + i) % 16]);
        line.append(u">x");
    }
    line.append(u"</font>");
    return line;
}

// The posting sequence as it was before sends were bounded: every message a plain SendMessageA
// that waits as long as the client takes. The yardstick for the bounded path.
std::string PlainRead(HWND input) {
    const LRESULT n = std::max<LRESULT>(SendMessageA(input, WM_GETTEXTLENGTH, 0, 0), 0);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    SendMessageA(input, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

bool PlainPost(const std::string& line) {
    if (!FindWindowA("AOL Frame25", nullptr))
        return false;
    const HWND room = Korvelix6o::FindRoom();
    const HWND input =
        FindWindowExA(room, FindWindowExA(room, nullptr, "richcntl", nullptr), "richcntl", nullptr);
    const std::string saved = PlainRead(input);
    if (!saved.empty()) {
        SendMessageA(input, WM_CLEAR, 0, 0);
        SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    }
    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(input, WM_CHAR, '\r', 0);
    for (;;) {
        Korvelix6o::RunPendingEvents();
        if (SendMessageA(input, WM_GETTEXTLENGTH, 0, 0) == 0)
            break;
        Korvelix6o::WaitForEvents(std::chrono::milliseconds(10));
    }
    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(saved.c_str()));
    return IsWindow(input);
}

struct Times {
    std::vector<double> ms;
    int taken = 0;
    double Median() {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
    void Print(const char* name, int posts) {
        std::sort(ms.begin(), ms.end());
        std::printf("%-8s %d posts (%d taken): median %.3f ms, p90 %.3f ms, min %.3f ms, "
                    "max %.3f ms\n",
                    name, posts, taken, ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.front(),
                    ms.back());
    }
};

void RoundTrips(int posts) {
    PracticeRoom client;
    for (int i = 0; i < 5; ++i)
        Korvelix6o::ChatSend(FadedLine(i));
    const int gdiBefore = GdiObjectCount(GetCurrentProcess());
    const std::size_t memoryBefore = WorkingSetKb();

    Times bounded, plain;
    for (int i = 0; i < posts; ++i) {
        auto start = Clock::now();
        bounded.taken += Korvelix6o::ChatSend(FadedLine(i)).taken();
        bounded.ms.push_back(Ms(Clock::now() - start));
        const std::u16string line = FadedLine(i);
        const std::string ansi(line.begin(), line.end()); // the faded line is all ASCII
        start = Clock::now();
        plain.taken += PlainPost(ansi);
        plain.ms.push_back(Ms(Clock::now() - start));
    }
    std::printf("round trip, interleaved:\n");
    bounded.Print("bounded", posts);
    plain.Print("plain", posts);
    std::printf("median bounded / plain: %.3f\n", bounded.Median() / plain.Median());
    std::printf("working set %zu KB -> %zu KB; GDI objects %d -> %d\n", memoryBefore,
                WorkingSetKb(), gdiBefore, GdiObjectCount(GetCurrentProcess()));
    client.WaitForLines(static_cast<std::size_t>(2 * posts) + 5, 10000);
    std::printf("lines logged by the room: %zu of %d\n", client.Lines().size(), 2 * posts + 5);
}

void SlowClientCpu() {
    PracticeRoom client({L"--empty-delay", L"1000"});
    for (int i = 0; i < 3; ++i) {
        for (const bool bounded : {true, false}) {
            const double cpuStart = CpuSeconds();
            const auto start = Clock::now();
            const bool taken =
                bounded ? Korvelix6o::ChatSend(u"slow client").taken() : PlainPost("slow client");
            const double wall = Ms(Clock::now() - start) / 1000;
            const double cpu = CpuSeconds() - cpuStart;
            std::printf("slow client (1 s delay), %-7s: taken %d, wall %.3f s, CPU %.3f s = "
                        "%.2f%% of wall\n",
                        bounded ? "bounded" : "plain", taken, wall, cpu, 100 * cpu / wall);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const int posts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    try {
        RoundTrips(posts);
        SlowClientCpu();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "chatsend_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
