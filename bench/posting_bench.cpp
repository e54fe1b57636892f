// One Send through quillon.exe into a healthy practice room, timed from outside: from the press
// of Send to the line arriving in the room, and to the post being over (the user's draft back in
// the chat input and the text line empty). Two builds of quillon.exe run side by side and take
// turns (ABBA), so both see the same machine; prints the medians and their ratios.
// Run by hand under Xvfb and Wine, with quillon.exe and practice-room.exe beside it and another
// build's quillon.exe (in its own folder) to compare with:
//   xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '. scripts/wine-env.sh; wine_start;
//       $quillon_wine build/windows/bin/posting_bench.exe --other Z:\\path\\to\\quillon.exe
//       --sends 50; wine_stop'
#include "ControlIds.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWarmUp = 3; // Sends each before timing starts
constexpr auto kGiveUp = std::chrono::seconds(15);

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

std::wstring TextOf(HWND window) {
    std::wstring text;
    return ReadText(window, text) ? text : L"<no answer>";
}

struct Timing {
    std::vector<double> emptied, arrived, over;
    int failed = 0;
};

// False when the line did not arrive or the post did not end within kGiveUp.
bool OneSend(const QuillonApp& app, const PracticeRoom& room, const std::wstring& line,
             Timing* timing) {
    const HWND input = room.Input();
    const std::wstring draft = L"draft " + std::to_wstring(room.Lines().size());
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(draft.c_str()));
    app.SetText(line);
    const std::size_t before = room.Lines().size();
    const auto pressed = Clock::now();
    app.Press(quillon::IDC_COMMAND1);
    Clock::time_point arrived{}, emptied{};
    for (;;) {
        const auto now = Clock::now();
        if (now - pressed > kGiveUp) {
            std::printf("not over: %s, text line \"%ls\", input \"%ls\"\n",
                        arrived == Clock::time_point{} ? "not arrived" : "arrived",
                        app.Text().c_str(), TextOf(input).c_str());
            return false;
        }
        if (arrived == Clock::time_point{} && room.Lines().size() > before)
            arrived = Clock::now();
        const bool empty = app.Text().empty();
        if (empty && emptied == Clock::time_point{})
            emptied = Clock::now();
        if (arrived != Clock::time_point{} && empty && TextOf(input) == draft)
            break;
        Sleep(1);
    }
    const auto over = Clock::now();
    if (timing) {
        timing->emptied.push_back(Ms(emptied - pressed));
        timing->arrived.push_back(Ms(arrived - pressed));
        timing->over.push_back(Ms(over - pressed));
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::wstring other;
    int sends = 50;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        if (name == L"--other")
            other = argv[i + 1];
        else if (name == L"--sends")
            sends = std::stoi(argv[i + 1]);
    }
    if (other.empty()) {
        std::puts("usage: posting_bench --other PATH\\quillon.exe [--sends N]");
        return 2;
    }
    try {
        PracticeRoom room;
        QuillonApp otherApp(other);
        QuillonApp thisApp;
        const QuillonApp* apps[2] = {&otherApp, &thisApp};
        Timing timing[2];
        for (int n = -kWarmUp; n < sends; ++n) {
            // ABBA: neither build always goes first.
            const int first = (n & 1) == 0 ? 0 : 1;
            for (int k : {first, 1 - first}) {
                const std::wstring line = std::wstring(k == 0 ? L"other " : L"this ") +
                                          std::to_wstring(n) + L" plain words \u03A9 caf\u00E9";
                if (!OneSend(*apps[k], room, line, n < 0 ? nullptr : &timing[k]))
                    ++timing[k].failed;
                Sleep(50);
            }
        }
        const char* names[2] = {"other build", "this build"};
        for (int k = 0; k < 2; ++k)
            std::printf("%s: %zu Sends, text line empty median %.1f ms, line arrived median %.1f "
                        "ms (p90 %.1f), post over median %.1f ms (p90 %.1f), %d not over within "
                        "15 s\n",
                        names[k], timing[k].over.size(), Percentile(timing[k].emptied, 0.5),
                        Percentile(timing[k].arrived, 0.5),
                        Percentile(timing[k].arrived, 0.9), Percentile(timing[k].over, 0.5),
                        Percentile(timing[k].over, 0.9), timing[k].failed);
        std::printf("ratio this / other: arrived %.2f, post over %.2f\n",
                    Percentile(timing[1].arrived, 0.5) / Percentile(timing[0].arrived, 0.5),
                    Percentile(timing[1].over, 0.5) / Percentile(timing[0].over, 0.5));
        return timing[0].failed + timing[1].failed == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::printf("posting bench: %s\n", e.what());
        return 1;
    }
}
