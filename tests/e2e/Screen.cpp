#include "Screen.h"

#include <algorithm>
#include <cstdlib>

ScreenShot::ScreenShot(RECT area) : area_(area) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    pixels_.assign(static_cast<std::size_t>(w) * h, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::copy_n(static_cast<const std::uint32_t*>(bits), pixels_.size(), pixels_.begin());
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenShot::At(int x, int y) const {
    const int w = area_.right - area_.left;
    const std::uint32_t p =
        pixels_.at(static_cast<std::size_t>(y - area_.top) * w + (x - area_.left));
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool ScreenShot::SaveBmp(const std::wstring& path) const {
    const int w = area_.right - area_.left, h = area_.bottom - area_.top;
    BITMAPINFOHEADER header{sizeof header, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD bytes = static_cast<DWORD>(pixels_.size() * 4);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof header + bytes), 0, 0,
                          sizeof file + sizeof header};
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
              WriteFile(out, &header, sizeof header, &written, nullptr) &&
              WriteFile(out, pixels_.data(), bytes, &written, nullptr);
    CloseHandle(out);
    return ok;
}

int ColourDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}
