#include "FadeDrive.h"

#include "ControlIds.h"
#include "UnixTools.h"

namespace fs = std::filesystem;

TempAppData::TempAppData() {
    static int count = 0;
    path_ =
        fs::temp_directory_path() / ("quillon-appdata-" + std::to_string(GetCurrentProcessId()) +
                                     "-" + std::to_string(++count));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempAppData::~TempAppData() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

HeldLock::HeldLock(const TempAppData& appData) {
    std::error_code ignored;
    fs::create_directories(appData.Quillon(), ignored);
    const fs::path lock = appData.Quillon() / "fades.json.lock";
    file_ = CreateFileW(lock.c_str(), GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED at{};
    held_ = file_ != INVALID_HANDLE_VALUE &&
            LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
}

HeldLock::~HeldLock() {
    if (file_ == INVALID_HANDLE_VALUE)
        return;
    OVERLAPPED at{};
    if (held_)
        UnlockFileEx(file_, 0, 1, 0, &at);
    CloseHandle(file_);
}

std::optional<std::string> ReadBytes(const fs::path& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

HWND ShownWindowOf(const wchar_t* className, DWORD processId) {
    for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExW(nullptr, w, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId && IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

HWND WaitForShown(const wchar_t* className, DWORD processId, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (HWND w = ShownWindowOf(className, processId))
            return w;
        Settle(50);
    }
    return nullptr;
}

HWND WaitForNameDialog(const QuillonApp& app) {
    for (DWORD waited = 0; waited < 5000; waited += 50) {
        HWND dialog = ShownWindowOf(L"#32770", ProcessOf(app));
        if (dialog && FindWindowExW(dialog, nullptr, L"Edit", nullptr))
            return dialog;
        Settle(50);
    }
    return nullptr;
}

HWND WaitForQuestion(const QuillonApp& app) {
    for (DWORD waited = 0; waited < 5000; waited += 50) {
        HWND dialog = ShownWindowOf(L"#32770", ProcessOf(app));
        if (dialog && GetDlgItem(dialog, IDYES) && GetDlgItem(dialog, IDNO))
            return dialog;
        Settle(50);
    }
    return nullptr;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        Settle(50);
    }
    return false;
}

void AnswerName(HWND dialog, const wchar_t* name) {
    SendMessageW(FindWindowExW(dialog, nullptr, L"Edit", nullptr), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(name));
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

bool ClickIntoTextLine(const QuillonApp& app) {
    const RECT text = app.ScreenRect(quillon::IDC_TEXT1);
    if (!Xdotool(L"mousemove " + std::to_wstring(text.left + 20) + L" " +
                 std::to_wstring(text.top + 8) + L" click 1"))
        return false;
    return app.WaitUntil(
        [](const QuillonApp& a) { return a.Focus() == a.Control(quillon::IDC_TEXT1); }, 5000);
}
