// Fades as the end-to-end tests and the benchmarks drive them: an %APPDATA% of their own, the
// name dialog and the questions, and the file read back without holding up a writer.
#pragma once

#include "QuillonApp.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

// An empty folder for the program's %APPDATA%, removed afterwards.
class TempAppData {
  public:
    TempAppData();
    ~TempAppData();
    TempAppData(const TempAppData&) = delete;
    TempAppData& operator=(const TempAppData&) = delete;
    AppDataFolder Folder() const { return {path_.wstring()}; }
    std::filesystem::path Quillon() const { return path_ / "Quillon"; }
    std::filesystem::path File() const { return Quillon() / "fades.json"; }

  private:
    std::filesystem::path path_;
};

// The hold another Quillon has on fades.json.lock while it changes the file: the folder is made
// if need be, and the lock let go when this goes.
class HeldLock {
  public:
    explicit HeldLock(const TempAppData& appData);
    ~HeldLock();
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    bool Held() const { return held_; }

  private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool held_ = false;
};

// The whole file, or nothing when it is not there. Opened sharing delete, as the program's own
// reads do, so a move over it never has to wait for us.
std::optional<std::string> ReadBytes(const std::filesystem::path& path);

inline DWORD ProcessOf(const QuillonApp& app) {
    return GetProcessId(app.Process());
}

// A shown top-level window of the class that belongs to the process, or null.
HWND ShownWindowOf(const wchar_t* className, DWORD processId);
HWND WaitForShown(const wchar_t* className, DWORD processId, DWORD timeoutMs = 5000);

// The program's name dialog (a dialog box with an edit box), or its question (Yes, No).
HWND WaitForNameDialog(const QuillonApp& app);
HWND WaitForQuestion(const QuillonApp& app);
bool WaitUntilGone(HWND window, DWORD timeoutMs = 10000);

// Types a name into the name dialog and presses OK.
void AnswerName(HWND dialog, const wchar_t* name);

// A real click into the text line, so that keys typed with xdotool reach the window; true once
// the text line has the focus.
bool ClickIntoTextLine(const QuillonApp& app);
