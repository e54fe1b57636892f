#include "QuillonApp.h"

#include "ControlIds.h"
#include "PracticeRoom.h"

#include <cwchar>
#include <stdexcept>

namespace {
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kPollMs = 20;
} // namespace

HWND WindowOfProcess(const wchar_t* className, DWORD processId) {
    for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExW(nullptr, w, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId)
            return w;
    }
    return nullptr;
}

void Settle(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

// This process's environment with APPDATA replaced.
static std::wstring EnvironmentWithAppData(const std::wstring& appData) {
    std::wstring block;
    if (wchar_t* strings = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1)
            if (_wcsnicmp(entry, L"APPDATA=", 8) != 0)
                block.append(entry).push_back(L'\0');
        FreeEnvironmentStringsW(strings);
    }
    block.append(L"APPDATA=" + appData).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

QuillonApp::QuillonApp() : QuillonApp(BesideThisExe(L"quillon.exe")) {}

QuillonApp::QuillonApp(const std::wstring& exePath) {
    Start(exePath, nullptr);
}

QuillonApp::QuillonApp(const AppDataFolder& appData) {
    Start(BesideThisExe(L"quillon.exe"), &appData.path);
}

QuillonApp::QuillonApp(const std::wstring& exePath, const AppDataFolder& appData) {
    Start(exePath, &appData.path);
}

void QuillonApp::Start(const std::wstring& exePath, const std::wstring* appData) {
    std::wstring commandLine = L"\"" + exePath + L"\"";
    const std::wstring folder = exePath.substr(0, exePath.find_last_of(L"\\/") + 1);
    std::wstring environment = appData ? EnvironmentWithAppData(*appData) : std::wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        appData ? CREATE_UNICODE_ENVIRONMENT : 0,
                        appData ? environment.data() : nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        throw std::runtime_error("quillon.exe could not be started");
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    for (DWORD waited = 0; waited < kStartTimeoutMs; waited += kPollMs) {
        form1_ = WindowOfProcess(quillon::kForm1Class, processId_);
        if (form1_ && IsWindowVisible(form1_))
            return;
        if (WaitForSingleObject(process_, kPollMs) == WAIT_OBJECT_0)
            break;
    }
    TerminateProcess(process_, 1);
    CloseHandle(process_);
    throw std::runtime_error("quillon.exe did not show its window");
}

QuillonApp::~QuillonApp() {
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

HWND QuillonApp::Form2() const {
    return WindowOfProcess(quillon::kForm2Class, processId_);
}

RECT QuillonApp::ScreenRect(int id) const {
    RECT r{};
    GetWindowRect(Control(id), &r);
    return r;
}

void QuillonApp::SetText(const std::wstring& text) const {
    SendMessageW(Control(quillon::IDC_TEXT1), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

static std::wstring TextOf(HWND window) {
    // Asked of the control itself: GetWindowText does not ask another process's controls.
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring QuillonApp::Text() const {
    return TextOf(Control(quillon::IDC_TEXT1));
}

void QuillonApp::SetFont(const std::wstring& face) const {
    SendMessageW(Control(quillon::IDC_COMBO1), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(face.c_str()));
}

std::wstring QuillonApp::FontText() const {
    return TextOf(Control(quillon::IDC_COMBO1));
}

void QuillonApp::SetCheck(int id, bool on) const {
    if (Checked(id) != on)
        SendMessageW(Control(id), BM_CLICK, 0, 0);
}

bool QuillonApp::Checked(int id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void QuillonApp::SetSlider(int n, int value) const {
    // What the scroll bar itself sends while its thumb is dragged to value and let go.
    HWND bar = Control(quillon::HScrollId(n));
    for (int code : {SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL})
        SendMessageW(form1_, WM_HSCROLL, MAKEWPARAM(code, code == SB_ENDSCROLL ? 0 : value),
                     reinterpret_cast<LPARAM>(bar));
}

int QuillonApp::Slider(int n) const {
    return static_cast<int>(SendMessageW(Control(quillon::HScrollId(n)), SBM_GETPOS, 0, 0));
}

void QuillonApp::SetColour(int column, COLORREF colour) const {
    SetSlider(3 * column - 2, GetRValue(colour));
    SetSlider(3 * column - 1, GetGValue(colour));
    SetSlider(3 * column, GetBValue(colour));
}

COLORREF QuillonApp::Swatch(int column) const {
    return static_cast<COLORREF>(
        GetWindowLongPtrW(Control(quillon::SwatchId(column)), GWLP_USERDATA));
}

HWND QuillonApp::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(form1_, nullptr), &info);
    return info.hwndFocus;
}

HWND QuillonApp::Dialog() const {
    return WindowOfProcess(L"#32770", processId_);
}

// A message box shows its text in a static control of its own.
std::wstring QuillonApp::DialogText() const {
    constexpr int kMessageText = 0xFFFF;
    std::wstring text;
    const HWND box = Dialog();
    return box && ReadText(GetDlgItem(box, kMessageText), text) ? text : L"";
}

void QuillonApp::AnswerDialog(int button) const {
    PostMessageW(Dialog(), WM_COMMAND, button, 0);
}

HWND QuillonApp::Notice() const {
    struct Search {
        DWORD process;
        HWND found;
    } search{processId_, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) {
            auto& s = *reinterpret_cast<Search*>(param);
            wchar_t name[64] = {};
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            GetClassNameW(window, name, 64);
            if (owner == s.process && IsWindowVisible(window) &&
                lstrcmpiW(name, L"tooltips_class32") == 0) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The tooltip answers WM_GETTEXT with the text it shows.
std::wstring QuillonApp::NoticeText() const {
    HWND tip = Notice();
    std::wstring text;
    return tip && ReadText(tip, text) ? text : L"";
}

void QuillonApp::Press(int buttonId) const {
    // Posted: the handler may wait for the chat client, and this thread must not wait with it.
    PostMessageW(Control(buttonId), BM_CLICK, 0, 0);
}

void QuillonApp::ClickLabel(int labelId) const {
    HWND label = Control(labelId);
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

bool QuillonApp::WaitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool QuillonApp::WaitUntil(bool (*done)(const QuillonApp&), DWORD timeoutMs) const {
    for (DWORD waited = 0;; waited += kPollMs) {
        if (done(*this))
            return true;
        if (waited >= timeoutMs)
            return false;
        Settle(kPollMs);
    }
}
