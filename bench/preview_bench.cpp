// One preview update of the text line after a keystroke, as Form1 makes it on every change:
// reading the line, fading it, reading the markup back and formatting what is in view ("of it:
// read" is all but the formatting). Then the time until the rest of the line has its look in idle
// turns, messages dispatched meanwhile as a message loop does. Beside it, the control's own
// handling of that keystroke and one plain WM_SETTEXT of the same line into the same control. Run by hand under Xvfb and Wine:
//   xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '. scripts/wine-env.sh; wine_start;
//       $quillon_wine build/windows/bin/preview_bench.exe 60; wine_stop'
#include "preview/Preview.h"
#include "preview/PreviewLook.h"
#include "window/Text.h"

#include <windows.h>

#include <richedit.h>

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

std::wstring Line(std::size_t length) {
    static constexpr std::wstring_view kWords = L"the quick brown fox jumps over a lazy dog ";
    std::wstring line;
    while (line.size() < length)
        line += kWords;
    line.resize(length);
    return line;
}

std::wstring TextOf(HWND edit) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)), L'\0');
    GetWindowTextW(edit, text.data(), static_cast<int>(text.size()) + 1);
    return text;
}

struct Figures {
    double median, p90;
};

// Runs the message loop until every character of the line shows its look.
void UntilSettled(const quillon::Preview& preview) {
    MSG message;
    while (!preview.Settled()) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

Figures Summary(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 9 / 10]};
}

struct Look {
    const char* name;
    int check1, check2, check3;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(10, _wtoi(argv[1])) : 60;
    LoadLibraryW(L"Msftedit.dll");
    HWND top = CreateWindowExW(0, L"Static", L"preview bench", WS_POPUP | WS_VISIBLE, 0, 0, 400, 60,
                               nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"",
                                WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 20, 20, 223, 19, top,
                                nullptr, nullptr, nullptr);
    LOGFONTW font{};
    font.lfHeight = -11;
    lstrcpyW(font.lfFaceName, L"Arial");
    HFONT arial = CreateFontIndirectW(&font);
    quillon::Preview preview;
    preview.Attach(edit, 65536);
    preview.SetFont(arial, true);
    SetFocus(edit);

    quillon::SendInputs in;
    in.swatches = {0x0000FF, 0x00FF00, 0xFF0000, 0x000000}; // red, green, blue, black
    in.font = u"Arial";
    const Look looks[] = {{"two colours", 0, 0, 0},
                          {"four colours", 1, 1, 0},
                          {"three colours, first letters", 1, 0, 1}};

    std::printf("%-30s %6s %13s %13s %13s %13s %13s %13s\n", "look", "chars", "update med.",
                "update p90", "of it: read", "whole line", "keystroke", "WM_SETTEXT");
    for (const std::size_t length : {200, 2000}) {
        const std::wstring line = Line(length);
        std::vector<double> setText;
        for (int i = 0; i < rounds; ++i) {
            const auto start = Clock::now();
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
            setText.push_back(Ms(Clock::now() - start));
        }
        for (const Look& look : looks) {
            in.check1 = look.check1;
            in.check2 = look.check2;
            in.check3 = look.check3;
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
            SendMessageW(edit, EM_SETSEL, length, length);
            UntilSettled(preview);
            std::vector<double> update, reading, settled, keystroke;
            for (int i = 0; i < rounds; ++i) {
                // The keystroke itself is the control's; the update after it is what is timed.
                // Typing a character and taking it back again, as the key's messages come.
                const auto key = Clock::now();
                const WPARAM vk = i % 2 ? VK_BACK : 'X';
                SendMessageW(edit, WM_KEYDOWN, vk, 1);
                SendMessageW(edit, WM_CHAR, i % 2 ? L'\b' : L'x', 1);
                SendMessageW(edit, WM_KEYUP, vk, 0xC0000001);
                keystroke.push_back(Ms(Clock::now() - key));
                if (static_cast<std::size_t>(GetWindowTextLengthW(edit)) != length + 1 - i % 2) {
                    std::fprintf(stderr, "the keystroke did not change the line as typing does\n");
                    return 1;
                }
                const auto start = Clock::now();
                const std::wstring text = TextOf(edit);
                in.line = quillon::ToU16(text);
                const quillon::LineLook lineLook = quillon::LookOfLine(in, u"Arial");
                const auto looked = Clock::now();
                preview.Show(in.line, lineLook);
                update.push_back(Ms(Clock::now() - start));
                reading.push_back(Ms(looked - start));
                UntilSettled(preview);
                settled.push_back(Ms(Clock::now() - start));
            }
            const Figures u = Summary(update), r = Summary(reading), s = Summary(setText);
            std::printf("%-30s %6zu %10.2f ms %10.2f ms %10.2f ms %10.2f ms %10.2f ms %10.2f ms\n",
                        look.name, length, u.median, u.p90, r.median, Summary(settled).median,
                        Summary(keystroke).median, s.median);
        }
    }
    DestroyWindow(top);
    DeleteObject(arial);
    return 0;
}
