#include "Geometry.h"

#include <algorithm>
#include <cmath>

namespace quillon {

int TwipsToPixels(double twips, int dpi) {
    return static_cast<int>(std::floor(twips * dpi / kTwipsPerInch + 0.5));
}

Box TwipsToPixels(const Box& twips, int dpi) {
    return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
            TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

namespace {

// Inside the ellipse with centre (cx, cy) and radii (rx, ry)?
bool InsideEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0)
        return false;
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

} // namespace

bool HitTestEllipse(int x, int y, const Box& box) {
    const double rx = box.width / 2.0, ry = box.height / 2.0;
    return InsideEllipse(x + 0.5, y + 0.5, box.left + rx, box.top + ry, rx, ry);
}

bool HitTestRoundRect(int x, int y, const Box& box, int ellipseWidth, int ellipseHeight) {
    if (x < box.left || y < box.top || x >= box.left + box.width || y >= box.top + box.height)
        return false;
    const double rx = std::min(ellipseWidth, box.width) / 2.0;
    const double ry = std::min(ellipseHeight, box.height) / 2.0;
    const double px = x + 0.5, py = y + 0.5;
    // Only the four corner squares are rounded; everywhere else the rectangle decides.
    const double left = box.left + rx, right = box.left + box.width - rx;
    const double top = box.top + ry, bottom = box.top + box.height - ry;
    const double cx = px < left ? left : px > right ? right : px;
    const double cy = py < top ? top : py > bottom ? bottom : py;
    if (cx == px || cy == py)
        return true;
    return InsideEllipse(px, py, cx, cy, rx, ry);
}

int CentredLeftPixels(int screenWidthPixels, int windowWidthTwips, int dpi) {
    const float twipsPerPixel = static_cast<float>(kTwipsPerInch) / static_cast<float>(dpi);
    const float screenTwips = static_cast<float>(screenWidthPixels) * twipsPerPixel;
    const float left = screenTwips / 2.0f - static_cast<float>(windowWidthTwips) / 2.0f;
    return TwipsToPixels(left, dpi);
}

} // namespace quillon
