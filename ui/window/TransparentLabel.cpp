#include "TransparentLabel.h"

#include "ControlIds.h"
#include "Gdi.h"

namespace quillon {

namespace {

void Notify(HWND label, int code) {
    const int id = GetDlgCtrlID(label);
    SendMessageW(GetParent(label), WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(label));
}

void PaintParentFace(HWND label) {
    PaintScope dc(label);
    POINT origin{0, 0};
    MapWindowPoints(label, GetParent(label), &origin, 1);
    SetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    SendMessageW(GetParent(label), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(HDC(dc)), PRF_CLIENT);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintParentFace(label);
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(label); // so the release can tell a click from a press that left the label
        Notify(label, kLabelMouseDown);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        Notify(label, kLabelMouseDown);
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() != label)
            return 0;
        ReleaseCapture();
        RECT client;
        GetClientRect(label, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, at))
            Notify(label, kLabelClick);
        return 0;
    }
    }
    return DefWindowProcW(label, message, wParam, lParam);
}

} // namespace

void RegisterTransparentLabel(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = LabelProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kLabelClass;
    RegisterClassExW(&wc);
}

} // namespace quillon
