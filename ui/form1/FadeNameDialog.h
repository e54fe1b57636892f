// The small dialog that asks for a fade's name before it is saved.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// Why a trimmed name cannot be given to a saved fade, or nothing when it can.
std::optional<std::u16string> NameRefusal(const std::u16string& trimmed);

// A name that may be used, trimmed, or nothing when the user cancels. A name that may not be
// used keeps the dialog open, with the reason in a balloon at the edit box.
std::optional<std::u16string> AskFadeName(HINSTANCE instance, HWND owner,
                                          std::u16string_view suggestion);

} // namespace quillon
