// quillon-drive: starts quillon.exe and works it through its own controls, step by step.
//   colour <column 1-4> <red> <green> <blue>   check <1-4> on|off   font <face>
//   text <line>   send   move <x> <y> (dragged by its title band)   shot <linux path of a PNG>
//   wait <ms>   close
// It prints how long the program took from its start to showing its window, which it does only
// after both start-up lines were posted.
#include "ControlIds.h"
#include "QuillonApp.h"
#include "UnixTools.h"

#include <cstdio>
#include <string>

using namespace quillon;

int wmain(int argc, wchar_t** argv) {
    try {
        const ULONGLONG started = GetTickCount64();
        QuillonApp app;
        std::printf("quillon-drive: window shown %llu ms after start\n",
                    GetTickCount64() - started);
        for (int i = 1; i < argc; ++i) {
            const std::wstring step = argv[i];
            auto next = [&] { return i + 1 < argc ? std::wstring(argv[++i]) : std::wstring(); };
            if (step == L"colour") {
                const int column = std::stoi(next()), r = std::stoi(next()), g = std::stoi(next()),
                          b = std::stoi(next());
                app.SetColour(column, RGB(r, g, b));
            } else if (step == L"check") {
                const int n = std::stoi(next());
                app.SetCheck(IDC_CHECK1 + n - 1, next() == L"on");
            } else if (step == L"font") {
                app.SetFont(next());
            } else if (step == L"text") {
                app.SetText(next());
            } else if (step == L"send") {
                app.Press(IDC_COMMAND1);
                if (!app.WaitUntil([](const QuillonApp& a) { return a.Text().empty(); }, 15000))
                    std::fwprintf(stderr, L"quillon-drive: the line was not taken\n");
            } else if (step == L"move") {
                const int x = std::stoi(next()), y = std::stoi(next());
                RECT band{}, form{};
                GetWindowRect(app.Control(IDC_LABEL1), &band);
                GetWindowRect(app.Form1(), &form);
                const int grabX = band.left + 200, grabY = band.top + 10;
                Xdotool(L"mousemove " + std::to_wstring(grabX) + L" " + std::to_wstring(grabY) +
                        L" mousedown 1 sleep 0.2 mousemove " +
                        std::to_wstring(x + grabX - form.left) + L" " +
                        std::to_wstring(y + grabY - form.top) + L" sleep 0.2 mouseup 1");
            } else if (step == L"shot") {
                Settle(500);
                RunUnix(L"/usr/bin/import -window root " + next());
            } else if (step == L"wait") {
                Settle(static_cast<DWORD>(std::stoi(next())));
            } else if (step == L"close") {
                app.ClickLabel(IDC_LABEL2);
                app.WaitForExit(20000);
            } else {
                std::fwprintf(stderr, L"quillon-drive: unknown step %ls\n", step.c_str());
                return 2;
            }
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillon-drive: %s\n", e.what());
        return 1;
    }
}
