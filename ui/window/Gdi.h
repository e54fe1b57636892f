// RAII for the handles and GDI objects the windows use.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quillon {

struct GdiDeleter {
    void operator()(void* object) const noexcept { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
template <class Handle> using GdiPtr = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDeleter>;
using Brush = GdiPtr<HBRUSH>;
using Font = GdiPtr<HFONT>;
using Bitmap = GdiPtr<HBITMAP>;
using Pen = GdiPtr<HPEN>;
using Region = GdiPtr<HRGN>;

struct IconDeleter {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

class SelectObjectScope {
  public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectObjectScope() { SelectObject(dc_, old_); }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

class MemoryDC {
  public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc_; }

  private:
    HDC dc_;
};

class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window) { BeginPaint(window_, &ps_); }
    ~PaintScope() { EndPaint(window_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    operator HDC() const { return ps_.hdc; }

  private:
    HWND window_;
    PAINTSTRUCT ps_{};
};

// Draws a bitmap unscaled with its top-left corner at (x, y).
inline void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
    if (!bitmap)
        return;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    MemoryDC source(dc);
    SelectObjectScope select(source, bitmap);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
}

} // namespace quillon
