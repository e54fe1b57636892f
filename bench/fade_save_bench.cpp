// Fades saved through quillon.exe's own UI (Ctrl+S, a name typed into the name dialog, OK, and
// Yes when it asks to replace a fade of that name) while a probe measures how long the window
// leaves a posted message untaken. Each build saves in an %APPDATA% of its own; with --other,
// another build's quillon.exe takes turns with this one (ABBA, one window at a time, since the
// keys go to the window under the pointer). Prints per build the saves, the probes answered, and
// the median and longest of each save's worst wait (from OK to the fade in the file).
// With --held-ms M another Quillon (this program) holds fades.json.lock from before each OK until
// M ms after it, as one that is slow to write would.
// Run by hand under Xvfb and Wine, with quillon.exe and practice-room.exe beside it:
//   xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '. scripts/wine-env.sh; wine_start;
//       $quillon_wine build/windows/bin/fade_save_bench.exe --other Z:\\tmp\\old\\quillon.exe
//       --saves 20 [--held-ms 1000]; wine_stop'
#include "ControlIds.h"
#include "FadeBook.h"
#include "FadeDrive.h"
#include "PostedProbe.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"
#include "UnixTools.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kNames = 5; // saves past the first five replace one, after the question
constexpr DWORD kGiveUpMs = 20000;

struct Figures {
    std::vector<unsigned> worstMs; // per save
    std::vector<double> savedMs;   // OK to the fade in the file
    unsigned probes = 0;
    int failed = 0;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The fade of that name is in the file with that red.
bool InFile(const TempAppData& appData, const std::u16string& name, int red) {
    const auto bytes = ReadBytes(appData.File());
    if (!bytes)
        return false;
    const auto parsed = quillon::fades::FadeBook::Parse(*bytes);
    const auto* book = std::get_if<quillon::fades::FadeBook>(&parsed);
    if (!book)
        return false;
    const auto look = book->Find(name);
    return look && !look->colours.empty() && look->colours[0].red == red;
}

// One save through the UI; false when a step did not come within its bound.
bool OneSave(const QuillonApp& app, const TempAppData& appData, PostedProbe& probe, int n,
             unsigned heldMs, Figures& figures) {
    const int red = 10 + n % 200;
    app.SetColour(1, RGB(red, 20, 30));
    const std::wstring name = L"bench " + std::to_wstring(n % kNames);
    if (!ClickIntoTextLine(app) || !Xdotool(L"key ctrl+s"))
        return false;
    HWND dialog = WaitForNameDialog(app);
    if (!dialog)
        return false;
    auto held = heldMs ? std::make_unique<HeldLock>(appData) : nullptr;
    if (held && !held->Held())
        return false;
    probe.Reset();
    const auto pressed = Clock::now();
    AnswerName(dialog, name.c_str());
    const std::u16string wanted(name.begin(), name.end());
    bool asked = n < kNames; // a name used before is asked about
    while (!InFile(appData, wanted, red)) {
        const auto now = Clock::now();
        if (now - pressed > std::chrono::milliseconds(kGiveUpMs))
            return false;
        if (held && now - pressed >= std::chrono::milliseconds(heldMs))
            held.reset();
        HWND question = asked ? nullptr : ShownWindowOf(L"#32770", ProcessOf(app));
        if (question && GetDlgItem(question, IDYES)) {
            PostMessageW(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
            asked = true;
        }
        Sleep(1);
    }
    const auto saved = Clock::now();
    // The window has the last word: it takes the result and is idle again.
    Settle(100);
    figures.worstMs.push_back(probe.LongestMs());
    figures.savedMs.push_back(std::chrono::duration<double, std::milli>(saved - pressed).count());
    return true;
}

void RunBuild(const std::wstring& exe, int saves, unsigned heldMs, Figures& figures) {
    TempAppData appData;
    QuillonApp app(exe, appData.Folder());
    PostedProbe probe(app.Control(quillon::IDC_COMBO1));
    const unsigned before = probe.Probes();
    for (int n = 0; n < saves; ++n)
        if (!OneSave(app, appData, probe, n, heldMs, figures)) {
            std::printf("save %d of %ls did not go through\n", n, exe.c_str());
            ++figures.failed;
            break;
        }
    figures.probes += probe.Probes() - before;
    app.ClickLabel(quillon::IDC_LABEL2);
    app.WaitForExit(15000);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::wstring other;
    int saves = 20;
    unsigned heldMs = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        if (name == L"--other")
            other = argv[i + 1];
        else if (name == L"--saves")
            saves = std::stoi(argv[i + 1]);
        else if (name == L"--held-ms")
            heldMs = static_cast<unsigned>(std::stoul(argv[i + 1]));
    }
    try {
        PracticeRoom room;
        std::vector<std::wstring> exes{BesideThisExe(L"quillon.exe")};
        if (!other.empty())
            exes.push_back(other);
        std::vector<Figures> figures(exes.size());
        // ABBA: half the saves each time, so neither build always runs first.
        const int halves[2] = {saves / 2, saves - saves / 2};
        for (int half = 0; half < 2; ++half)
            for (std::size_t turn = 0; turn < exes.size(); ++turn) {
                const std::size_t k = half == 0 ? turn : exes.size() - 1 - turn;
                RunBuild(exes[k], halves[half], heldMs, figures[k]);
            }
        int failed = 0;
        for (std::size_t k = 0; k < exes.size(); ++k) {
            const Figures& f = figures[k];
            std::vector<double> worst(f.worstMs.begin(), f.worstMs.end());
            const unsigned longest =
                f.worstMs.empty() ? 0 : *std::max_element(f.worstMs.begin(), f.worstMs.end());
            std::printf("%s (%ls): %zu saves, %u probes, worst wait per save median %.0f ms, "
                        "longest %u ms; OK to the file median %.0f ms\n",
                        k == 0 ? "this build" : "other build", exes[k].c_str(), f.worstMs.size(),
                        f.probes, Median(worst), longest, Median(f.savedMs));
            std::printf("  worst wait of each save, in order (ms):");
            for (const unsigned ms : f.worstMs)
                std::printf(" %u", ms);
            std::printf("\n");
            failed += f.failed;
        }
        return failed == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::printf("fade save bench: %s\n", e.what());
        return 1;
    }
}
