// Quillon's artwork, drawn at run time for the display scale: the main window's skin and the
// floating button's picture. Their design is in 100 % pixels (400 x 175 and 75 x 25).
#pragma once

#include "Image.h"

#include <span>

namespace quillon::art {

constexpr int kSkinWidth = 400, kSkinHeight = 175;
constexpr int kButtonWidth = 75, kButtonHeight = 25;

// The scales the art is drawn at, in dots per inch (100 % to 300 %).
constexpr int kArtDpis[] = {96, 120, 144, 168, 192, 240, 288};

Image DrawSkin(double scale);
Image DrawButtonPicture(double scale);

// The size of a 100 % length at `dpi`, rounded half up.
int ScaledLength(int designPixels, int dpi);

// The scale a picture for `dpi` is drawn at: the first step at or above it, or the dpi itself
// above the last step (art is never enlarged from a smaller drawing).
int DrawingDpi(int dpi);

// Art for a display of `dpi`: drawn at DrawingDpi and, between steps, reduced to size.
Image SkinForDpi(int dpi);
Image ButtonPictureForDpi(int dpi);

} // namespace quillon::art
