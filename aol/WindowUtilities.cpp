// Two operations on our own windows: keeping one above the others and dragging one without a
// title bar.
#include "Korvelix6o.h"

namespace Korvelix6o {

namespace {
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;
} // namespace

void StayOnTop(HWND form) {
    SetWindowPos(form, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

// Called from a button-down handler: the platform's move loop takes the mouse until release.
void FormDrag(HWND form) {
    ReleaseCapture();
    SendMessageA(form, WM_SYSCOMMAND, kMoveByCaption, 0);
}

} // namespace Korvelix6o
