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
    look.text.reset(MakeFont(13, FW_NORMAL));
    look.title.reset(MakeFont(16, FW_BOLD));
    look.band.reset(CreateSolidBrush(look.bandColour));
    return look;
}
