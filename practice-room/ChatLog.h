// The room's record of every line it received, one line per line, readable while we run.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

// Backslash, CR and LF written as \\, \r and \n so each received line stays one line.
std::string EscapeLogLine(std::string_view raw);

// The ANSI bytes an ANSI client would have received for this text.
std::string ToAnsi(std::wstring_view text);

class ChatLog {
  public:
    // A log that writes nothing when path is empty or cannot be opened.
    explicit ChatLog(const std::wstring& path);
    void Append(std::wstring_view line);

  private:
    struct Closer {
        void operator()(HANDLE h) const { CloseHandle(h); }
    };
    std::unique_ptr<void, Closer> file_;
};
