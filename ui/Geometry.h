// Twips, pixels and the outlines of the window shapes: pure arithmetic, no Win32.
#pragma once

namespace quillon {

constexpr int kTwipsPerPixel = 15; // at 96 dots per inch

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

constexpr int TwipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr Box TwipsToPixels(const Box& twips) {
    return {TwipsToPixels(twips.left), TwipsToPixels(twips.top), TwipsToPixels(twips.width),
            TwipsToPixels(twips.height)};
}
int TwipsToNearestPixel(float twips);

// Corner ellipse of the rounded rectangles, in pixels.
constexpr int kCornerEllipse = 24;

// Whether the pixel (x, y) (its centre counts) lies inside the outline.
bool HitTestEllipse(int x, int y, const Box& box);
bool HitTestRoundRect(int x, int y, const Box& box, int ellipseWidth, int ellipseHeight);

// Left edge, in pixels, of a window centred across the screen by its whole width; the sum is
// done in twips and single precision.
int CentredLeftPixels(int screenWidthPixels, int windowWidthTwips);

} // namespace quillon
