#include "ArtBitmaps.h"

#include "Artwork.h"

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

} // namespace

Bitmap SkinBitmap(UINT dpi) {
    return ToBitmap(art::SkinForDpi(static_cast<int>(dpi)));
}

Bitmap ButtonPictureBitmap(UINT dpi) {
    return ToBitmap(art::ButtonPictureForDpi(static_cast<int>(dpi)));
}

} // namespace quillon
