// The colour sliders: each of the twelve drives the swatch of its column.
#include "Form1.h"

#include "ControlIds.h"
#include "Sliders.h"

namespace quillon {

void Form1::OnHScroll(HWND bar, int code, int thumb) {
    const int n = GetDlgCtrlID(bar) - IDC_HSCROLL1 + 1;
    if (n < 1 || n > kSliderCount)
        return;
    const int old = GetScrollPos(bar, SB_CTL);
    int value = old;
    switch (code) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
        value = StepSlider(value, -1);
        break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
        value = StepSlider(value, +1);
        break;
    case SB_LEFT:
        value = kSliderMin;
        break;
    case SB_RIGHT:
        value = kSliderMax;
        break;
    case SB_THUMBTRACK:
        SetScrollPos(bar, SB_CTL, thumb, TRUE);
        HScroll_Scroll(n);
        return;
    case SB_THUMBPOSITION:
        SetScrollPos(bar, SB_CTL, thumb, TRUE);
        HScroll_Change(n); // the end of a drag always reports, even at the same value
        return;
    default: // SB_ENDSCROLL
        return;
    }
    if (value == old)
        return;
    SetScrollPos(bar, SB_CTL, value, TRUE);
    HScroll_Change(n);
}

void Form1::HScroll_Change(int n) {
    UpdateColumn(ColumnOfSlider(n));
}

void Form1::HScroll_Scroll(int n) {
    UpdateColumn(ColumnOfSlider(n));
}

void Form1::UpdateColumn(int column) {
    const int red = RedSliderOf(column);
    const int r = GetScrollPos(Control(HScrollId(red)), SB_CTL);
    const int g = GetScrollPos(Control(HScrollId(red + 1)), SB_CTL);
    const int b = GetScrollPos(Control(HScrollId(red + 2)), SB_CTL);
    SetSwatchColour(column, PackColour(r, g, b));
}

void Form1::SetSwatchColour(int column, WendrikFaderV2::Colour colour) {
    HWND swatch = Control(SwatchId(column));
    SetWindowLongPtrW(swatch, GWLP_USERDATA, colour);
    // Replace, never add: one brush per swatch keeps the GDI object count flat.
    swatchBrushes_[column - 1].reset(CreateSolidBrush(static_cast<COLORREF>(colour)));
    InvalidateRect(swatch, nullptr, TRUE);
    UpdateWindow(swatch);
}

WendrikFaderV2::Colour Form1::SwatchColour(int column) const {
    return static_cast<WendrikFaderV2::Colour>(
        GetWindowLongPtrW(Control(SwatchId(column)), GWLP_USERDATA));
}

} // namespace quillon
