// Twips, pixels and the outlines of the window shapes: pure arithmetic, no Win32.
#pragma once

namespace quillon {

constexpr int kTwipsPerInch = 1440; // 15 twips make a pixel at 96 dots per inch

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

// The one conversion of layout lengths: twips x dpi / 1440, rounded half up.
int TwipsToPixels(double twips, int dpi);
Box TwipsToPixels(const Box& twips, int dpi);

// Corner ellipse of the rounded rectangles (24 pixels at 96 dpi).
constexpr int kCornerEllipseTwips = 360;

// Whether the pixel (x, y) (its centre counts) lies inside the outline.
bool HitTestEllipse(int x, int y, const Box& box);
bool HitTestRoundRect(int x, int y, const Box& box, int ellipseWidth, int ellipseHeight);

// Left edge, in pixels at `dpi`, of a window centred across the screen by its whole width; the
// sum is done in twips and single precision.
int CentredLeftPixels(int screenWidthPixels, int windowWidthTwips, int dpi);

} // namespace quillon
