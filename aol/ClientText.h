// Reading and writing the text of the client's windows, bounded in time and in size.
#pragma once

#include "BoundedSend.h"

#include <cstddef>
#include <optional>
#include <string>

namespace Korvelix6o {

// The most we read from any window, whatever length it claims: the longest draft a user can
// leave in the chat input (its edit control holds at most 32 767 characters, and our own text
// box 65 536) in a double-byte code page, with room to spare. A claim beyond it is not believed.
constexpr std::size_t kMaxTextBytes = 128 * 1024;

struct AnsiRead {
    std::string text;  // at most kMaxTextBytes
    bool whole = true; // false when the window held more than we read
};

// Nothing when the window is gone or did not answer by the deadline.
std::optional<AnsiRead> ReadText(HWND window, Clock::time_point deadline);
std::optional<bool> IsEmpty(HWND window, Clock::time_point deadline);
// True once the window took the text; a refusal (an edit control out of room) is a failure.
// late: as for SendBounded.
bool WriteText(HWND window, const std::string& ansi, Clock::time_point deadline,
               std::shared_ptr<const LateSend>* late = nullptr);

} // namespace Korvelix6o
