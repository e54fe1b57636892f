// Starts the practice room (the stand-in chat client) for a test and reads what it received.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

class PracticeRoom {
  public:
    // Waits up to 20 s for the frame and, unless "--rooms 0", a chat room; throws
    // std::runtime_error when the program does not come up.
    explicit PracticeRoom(std::vector<std::wstring> args = {});
    ~PracticeRoom();
    PracticeRoom(const PracticeRoom&) = delete;
    PracticeRoom& operator=(const PracticeRoom&) = delete;

    std::vector<std::string> Lines() const; // lines received so far, unescaped, raw ANSI bytes
    bool WaitForLines(std::size_t n, DWORD timeoutMs) const;
    DWORD ProcessId() const { return processId_; }
    HWND Frame() const { return frame_; }
    HWND Input() const;      // the front room's chat input, or null
    std::vector<HWND> Inputs() const; // every room's chat input, front room first
    HWND Transcript() const; // the front room's transcript, or null
    bool WaitForExit(DWORD timeoutMs) const;

  private:
    std::wstring logPath_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND frame_ = nullptr;
};

std::wstring BesideThisExe(const std::wstring& fileName);

// A window's text asked of the window itself, so it works across processes; false when the
// window did not answer in time (its thread hangs) or is gone.
bool ReadText(HWND window, std::wstring& text, UINT timeoutMs = 1000);

// What a received line shows as plain text: its markup read, numeric references included.
std::wstring ShownText(const std::string& ansiLine);

// The log's escapes undone: "\\" is a backslash, "\r" and "\n" the control characters.
std::string UnescapeLogLine(const std::string& line);
