#include "SkinnedForm.h"

#include "Gdi.h"

namespace quillon {

namespace {
constexpr UINT kGetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE, Windows 10 1703 and later
} // namespace

void SkinnedForm::SetDpi(int dpi) {
    dpi_ = dpi;
    if (hwnd_)
        FormShaper1.Recut(hwnd_, dpi);
}

// Everything inside is rebuilt unpainted first; the window then moves and paints once.
void SkinnedForm::OnDpiChanged(int dpi, const RECT& suggested) {
    SetDpi(dpi);
    ApplyDpi();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(hwnd_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool SkinnedForm::HandleFaceMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
        PaintContent(reinterpret_cast<HDC>(wParam));
        result = 1;
        return true;
    case WM_PAINT: {
        PaintScope dc(hwnd_);
        PaintContent(dc);
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT: // the transparent labels show the face through this
        PaintContent(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    case kGetDpiScaledSize: { // the size at the new scale is the layout's, not a scaled guess
        const Box px = TwipsToPixels(ClientTwips(), static_cast<int>(wParam));
        *reinterpret_cast<SIZE*>(lParam) = {px.width, px.height};
        result = TRUE;
        return true;
    }
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        result = 0;
        return true;
    case WM_NCHITTEST: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(hwnd_, &at);
        if (FormShaper1.Contains(at.x, at.y, dpi_))
            return false;
        result = HTNOWHERE;
        return true;
    }
    }
    return false;
}

} // namespace quillon
