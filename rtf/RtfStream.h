// Rich text into a rich edit control in one insertion.
#pragma once

#include <windows.h>

#include <string_view>

namespace rtf {

// Puts rtf in place of the control's selection (EM_STREAMIN).
void StreamIntoSelection(HWND richEdit, std::string_view rtf);

} // namespace rtf
