#include "MdiChild.h"

bool MdiChild::RegisterWindowClass(HINSTANCE instance) {
    return win32::RegisterWindowClass(instance, kChildClass, win32::WindowProc<MdiChild>,
                                      {CS_HREDRAW | CS_VREDRAW, LoadIconW(nullptr, IDI_APPLICATION),
                                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
}

bool MdiChild::Create(HWND mdiClient, const std::wstring& caption, const RECT& bounds) {
    MDICREATESTRUCTW create{};
    create.szClass = kChildClass;
    create.szTitle = caption.c_str();
    create.hOwner = GetModuleHandleW(nullptr);
    create.x = bounds.left;
    create.y = bounds.top;
    create.cx = bounds.right - bounds.left;
    create.cy = bounds.bottom - bounds.top;
    create.lParam = reinterpret_cast<LPARAM>(this);
    return SendMessageW(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)) != 0;
}
