// ChatSend against the practice room: round-trip time, memory and handle counts over many
// posts, and the CPU our side burns while a slow client holds the line.
// Run by hand under Xvfb and Wine, with practice-room.exe beside it:
//   xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '. scripts/wine-env.sh; wine_start;
//       $quillon_wine build/windows/bin/chatsend_bench.exe 200; wine_stop'
#include "GdiObjects.h"
#include "Korvelix6o.h"
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

void RoundTrips(int posts) {
    PracticeRoom client;
    for (int i = 0; i < 5; ++i)
        Korvelix6o::ChatSend(FadedLine(i));
    const int gdiBefore = GdiObjectCount(GetCurrentProcess());
    const std::size_t memoryBefore = WorkingSetKb();

    std::vector<double> times;
    int taken = 0;
    for (int i = 0; i < posts; ++i) {
        const auto start = Clock::now();
        taken += Korvelix6o::ChatSend(FadedLine(i)).taken;
        times.push_back(Ms(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    std::printf("round trip, %d posts (%d taken): median %.3f ms, p90 %.3f ms, min %.3f ms, "
                "max %.3f ms\n",
                posts, taken, times[times.size() / 2], times[times.size() * 9 / 10], times.front(),
                times.back());
    std::printf("working set %zu KB -> %zu KB; GDI objects %d -> %d\n", memoryBefore,
                WorkingSetKb(), gdiBefore, GdiObjectCount(GetCurrentProcess()));
    client.WaitForLines(static_cast<std::size_t>(posts) + 5, 10000);
    std::printf("lines logged by the room: %zu of %d\n", client.Lines().size(), posts + 5);
}

void SlowClientCpu() {
    PracticeRoom client({L"--empty-delay", L"1000"});
    for (int i = 0; i < 3; ++i) {
        const double cpuStart = CpuSeconds();
        const auto start = Clock::now();
        const bool taken = Korvelix6o::ChatSend(u"slow client").taken;
        const double wall = Ms(Clock::now() - start) / 1000;
        const double cpu = CpuSeconds() - cpuStart;
        std::printf("slow client (1 s delay): taken %d, wall %.3f s, CPU %.3f s = %.2f%% of wall\n",
                    taken, wall, cpu, 100 * cpu / wall);
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
