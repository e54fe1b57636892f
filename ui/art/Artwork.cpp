#include "Artwork.h"

#include <algorithm>

namespace quillon::art {

int ScaledLength(int designPixels, int dpi) {
    return (designPixels * dpi + 48) / 96;
}

int DrawingDpi(int dpi) {
    for (int step : kArtDpis)
        if (step >= dpi)
            return step;
    return dpi;
}

namespace {

template <class Draw> Image ForDpi(int dpi, int designW, int designH, Draw draw) {
    const int at = DrawingDpi(dpi);
    Image image = draw(at / 96.0);
    if (at == dpi)
        return image;
    return ScaleDown(image, ScaledLength(designW, dpi), ScaledLength(designH, dpi));
}

} // namespace

Image SkinForDpi(int dpi) {
    return ForDpi(dpi, kSkinWidth, kSkinHeight, DrawSkin);
}

Image ButtonPictureForDpi(int dpi) {
    return ForDpi(dpi, kButtonWidth, kButtonHeight, DrawButtonPicture);
}

} // namespace quillon::art
