#include "ArtBitmaps.h"

#include "Artwork.h"
#include "resource.h"

#include <algorithm>

namespace quillon {

namespace {

Bitmap ToBitmap(const art::Image& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down, as the image
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits)
        std::copy(image.pixels.begin(), image.pixels.end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

// At 100 % the program carries the picture already drawn (the same pixels, checked by the art
// tests); a module without that resource draws it like any other scale.
Bitmap Embedded(int dpi, int id) {
    if (dpi != USER_DEFAULT_SCREEN_DPI)
        return Bitmap();
    return Bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

} // namespace

Bitmap SkinBitmap(int dpi) {
    if (Bitmap embedded = Embedded(dpi, IDB_SKIN))
        return embedded;
    return ToBitmap(art::SkinForDpi(dpi));
}

Bitmap ButtonPictureBitmap(int dpi) {
    if (Bitmap embedded = Embedded(dpi, IDB_BUTTON))
        return embedded;
    return ToBitmap(art::ButtonPictureForDpi(dpi));
}

} // namespace quillon
