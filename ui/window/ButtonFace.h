// The face of the owner-drawn buttons "Send" and "m".
#pragma once

#include <windows.h>

namespace quillon {

constexpr COLORREF kButtonFace = RGB(68, 94, 183); // &H00B75E44&

void DrawButtonFace(const DRAWITEMSTRUCT& item, HFONT font);

} // namespace quillon
