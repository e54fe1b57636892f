// A window's controls as data: one row per control, in creation (= tab and z) order.
#pragma once

#include "Geometry.h"

#include <windows.h>

#include <span>

namespace quillon {

struct ControlSpec {
    const wchar_t* name;      // designer name, e.g. L"HScroll7"
    const wchar_t* className; // Win32 window class
    Box twips;                // from the top-left of the client area
    DWORD style;              // WS_CHILD | WS_VISIBLE are added on creation
    DWORD exStyle;
    const wchar_t* caption;
    int id;
};

} // namespace quillon
