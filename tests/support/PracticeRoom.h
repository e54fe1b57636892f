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

  private:
    std::wstring logPath_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND frame_ = nullptr;
};

std::wstring BesideThisExe(const std::wstring& fileName);

// The log's escapes undone: "\\" is a backslash, "\r" and "\n" the control characters.
std::string UnescapeLogLine(const std::string& line);
