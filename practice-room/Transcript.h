// The room's read-only transcript: each received line shown as the client renders its markup.
#pragma once

#include <windows.h>

#include <string_view>

class Transcript {
  public:
    explicit Transcript(HWND richEdit = nullptr) : window_(richEdit) {}
    void Attach(HWND richEdit) { window_ = richEdit; }

    // "speaker: " in the room's own style, then the line's markup rendered; one paragraph each.
    // With references, numeric character references show as their characters.
    void AppendLine(std::wstring_view speaker, std::wstring_view markup, bool references = false);

  private:
    HWND window_;
};
