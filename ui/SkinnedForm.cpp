#include "SkinnedForm.h"

#include "Gdi.h"

namespace quillon {

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
    case WM_NCHITTEST: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(hwnd_, &at);
        if (FormShaper1.Contains(at.x, at.y))
            return false;
        result = HTNOWHERE;
        return true;
    }
    }
    return false;
}

} // namespace quillon
