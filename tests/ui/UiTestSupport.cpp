#include "UiTestSupport.h"

#include "ControlIds.h"

#include <gtest/gtest.h>

namespace uitest {

void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    bool quit = false;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    if (quit)
        PostQuitMessage(0);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD end = GetTickCount() + timeoutMs;
    while (!done()) {
        if (static_cast<int>(end - GetTickCount()) <= 0)
            return false;
        Pump(10);
    }
    return true;
}

bool TakeQuit() {
    MSG msg;
    bool any = false;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        any = true;
    return any;
}

std::wstring Text(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
    return text;
}

std::string Narrow(const std::u16string& ascii) {
    return {ascii.begin(), ascii.end()};
}

int Swatch(HWND form, int column) {
    return static_cast<int>(
        GetWindowLongPtrW(GetDlgItem(form, quillon::SwatchId(column)), GWLP_USERDATA));
}

void Scroll(HWND form, int slider, int code, int thumb) {
    HWND bar = GetDlgItem(form, quillon::HScrollId(slider));
    SendMessageW(form, WM_HSCROLL, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(bar));
}

void Check(HWND form, int id, bool on) {
    SendMessageW(GetDlgItem(form, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void LeftClick(HWND window, int x, int y) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void TypeInto(HWND window, std::wstring_view text) {
    for (wchar_t c : text)
        SendMessageW(window, WM_CHAR, c, 1);
}

std::vector<CHARFORMAT2W> CharFormats(HWND richEdit) {
    CHARRANGE kept{};
    SendMessageW(richEdit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    POINT scroll{};
    SendMessageW(richEdit, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    std::vector<CHARFORMAT2W> formats(static_cast<std::size_t>(GetWindowTextLengthW(richEdit)));
    for (std::size_t i = 0; i < formats.size(); ++i) {
        CHARRANGE one{static_cast<LONG>(i), static_cast<LONG>(i + 1)};
        SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
        formats[i].cbSize = sizeof formats[i];
        SendMessageW(richEdit, EM_GETCHARFORMAT, SCF_SELECTION,
                     reinterpret_cast<LPARAM>(&formats[i]));
    }
    SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    SendMessageW(richEdit, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    return formats;
}

RECT InParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

RECT RegionBox(HWND window) {
    RECT box{};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) != ERROR)
        GetRgnBox(region, &box);
    DeleteObject(region);
    return box;
}

LoadedForm::LoadedForm() : form(std::make_unique<quillon::Form1>(GetModuleHandleW(nullptr))) {
    // A folder with no fades in it, whatever the test machine's user has saved.
    SetEnvironmentVariableW(L"APPDATA", L"C:\\quillon-ui-tests-no-appdata");
    WendrikFaderV2::SetRefusalPresenter([this](std::u16string_view message) {
        ++refusals;
        refusalMessages.emplace_back(message);
    });
    EXPECT_TRUE(form->Load());
    // It shows once its start-up lines are posted, or failed for want of a room.
    EXPECT_TRUE(PumpUntil([this] { return IsWindowVisible(form->Hwnd()) != FALSE; }, 20000));
    Pump(50);
}

LoadedForm::~LoadedForm() {
    form.reset();
    Pump(20);
    TakeQuit();
    WendrikFaderV2::SetRefusalPresenter(nullptr);
}

} // namespace uitest
