// The artwork for a DPI as GDI bitmaps, ready to be drawn unscaled.
#pragma once

#include "Gdi.h"

namespace quillon {

Bitmap SkinBitmap(int dpi);
Bitmap ButtonPictureBitmap(int dpi);

} // namespace quillon
