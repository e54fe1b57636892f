#include "Look.h"

namespace {

HFONT MakeFont(int height, int weight) {
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"Arial");
}

} // namespace

Look Look::Make() {
    Look look;
    HDC screen = GetDC(nullptr);
    look.dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    look.text.reset(MakeFont(look.Scaled(13), FW_NORMAL));
    look.title.reset(MakeFont(look.Scaled(16), FW_BOLD));
    look.band.reset(CreateSolidBrush(look.bandColour));
    return look;
}
