// The colour sliders: each of the twelve drives the swatch of its column; a click on a swatch picks
// its colour in the colour dialog, and the sliders follow.
#include "Form1.h"

#include "ControlIds.h"
#include "Korvelix6o.h"
#include "Sliders.h"

#include <commdlg.h>

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
    RefreshPreview();
}

void Form1::SetSwatchColour(int column, WendrikFaderV2::Colour colour) {
    HWND swatch = Control(SwatchId(column));
    SetWindowLongPtrW(swatch, GWLP_USERDATA, colour);
    // Replace, never add: one brush per swatch keeps the GDI object count flat.
    swatchBrushes_[column - 1].reset(CreateSolidBrush(static_cast<COLORREF>(colour)));
    InvalidateRect(swatch, nullptr, TRUE);
    UpdateWindow(swatch);
}

void Form1::Label_Click(int n) {
    const int column = n - 2;
    std::array<COLORREF, 16> custom;
    custom.fill(RGB(255, 255, 255));
    for (int c = 1; c <= kColumnCount; ++c)
        custom[c - 1] = static_cast<COLORREF>(SwatchColour(c));
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwnd_;
    dialog.rgbResult = static_cast<COLORREF>(SwatchColour(column));
    dialog.lpCustColors = custom.data();
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    const bool picked = ChooseColorW(&dialog);
    if (!hwnd_ || ended_ || closing_)
        return; // the program ends, or ended, while the dialog was open
    Korvelix6o::StayOnTop(hwnd_);
    if (!picked)
        return;
    const int red = RedSliderOf(column);
    const BYTE components[] = {GetRValue(dialog.rgbResult), GetGValue(dialog.rgbResult),
                               GetBValue(dialog.rgbResult)};
    for (int i = 0; i < 3; ++i)
        SetScrollPos(Control(HScrollId(red + i)), SB_CTL, components[i], TRUE);
    UpdateColumn(column);
}

WendrikFaderV2::Colour Form1::SwatchColour(int column) const {
    return static_cast<WendrikFaderV2::Colour>(
        GetWindowLongPtrW(Control(SwatchId(column)), GWLP_USERDATA));
}

} // namespace quillon
