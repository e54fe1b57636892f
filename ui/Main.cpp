// Quillon starts with its main window; the window's events drive everything after that.
#include "window/Dpi.h"
#include "form1/Form1.h"
#include "window/Text.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    quillon::EnableDpiAwareness();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    quillon::Form1 form(instance);
    // Refusal boxes are owned by the main window while it is on screen.
    WendrikFaderV2::SetRefusalPresenter([&form](std::u16string_view message) {
        HWND owner = form.Hwnd() && IsWindowVisible(form.Hwnd()) ? form.Hwnd() : nullptr;
        MessageBoxW(owner, quillon::ToWide(message).c_str(), L"Fade", MB_OK | MB_ICONSTOP);
    });
    if (!form.Load())
        return 1;

    // Ctrl+S; Tab, and Enter for Send.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (form.TranslateKeys(msg))
            continue;
        if (form.Hwnd() && IsDialogMessageW(form.Hwnd(), &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
