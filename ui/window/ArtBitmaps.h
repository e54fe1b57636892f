// The artwork for a DPI as GDI bitmaps, ready to be drawn unscaled.
#pragma once

#include "Gdi.h"

namespace quillon {

Bitmap SkinBitmap(UINT dpi);
Bitmap ButtonPictureBitmap(UINT dpi);

} // namespace quillon
