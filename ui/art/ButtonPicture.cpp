// The floating button's picture: a glossy blue oval with the product mark, white outside it.
#include "Artwork.h"
#include "Canvas.h"

namespace quillon::art {

namespace {

constexpr DesignBox kOval{2, 1, 74, 24}; // the floating window is cut to this oval

// Share of a canvas pixel inside the ellipse of a design box, sampled n x n.
double EllipseCoverage(const Canvas& canvas, int x, int y, DesignBox box, int n = 4) {
    const double cx = (box.x0 + box.x1 + 1) / 2.0, cy = (box.y0 + box.y1 + 1) / 2.0;
    const double rx = (box.x1 - box.x0 + 1) / 2.0, ry = (box.y1 - box.y0 + 1) / 2.0;
    int hits = 0;
    for (int sy = 0; sy < n; ++sy)
        for (int sx = 0; sx < n; ++sx) {
            const double px = (x + (sx + 0.5) / n) / canvas.Scale();
            const double py = (y + (sy + 0.5) / n) / canvas.Scale();
            const double ex = (px - cx) / rx, ey = (py - cy) / ry;
            hits += ex * ex + ey * ey <= 1.0;
        }
    return static_cast<double>(hits) / (n * n);
}

} // namespace

Image DrawButtonPicture(double scale) {
    Canvas canvas(kButtonWidth, kButtonHeight, scale, {255, 255, 255});
    const auto [x0, y0, x1, y1] = kOval;
    for (int y = 0; y < canvas.Height(); ++y) {
        const double t = (canvas.X(y) - y0) / (y1 - y0);
        const Rgb body = Lerp({70, 120, 235}, {10, 30, 120}, t);
        for (int x = 0; x < canvas.Width(); ++x) {
            canvas.Blend(x, y, {10, 22, 80}, EllipseCoverage(canvas, x, y, kOval));
            canvas.Blend(x, y, body,
                         EllipseCoverage(canvas, x, y, {x0 + 1, y0 + 1, x1 - 1, y1 - 1}));
            // Glossy highlight over the upper half.
            const double gloss = EllipseCoverage(canvas, x, y, {x0 + 8, y0 + 2, x1 - 8, y0 + 10});
            canvas.Blend(x, y, {170, 200, 255}, 0.45 * gloss);
        }
    }
    const Mask mask = TextMask(canvas, "QUILLON", {16, 9, 60, 17}, 1.0);
    const Mask ring = Outline(canvas, mask, canvas.LineWidth());
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const std::size_t i = canvas.Index(x, y);
            if (ring[i])
                canvas.Blend(x, y, {8, 16, 60}, 0.8);
            if (mask[i])
                canvas.Blend(x, y, Lerp({226, 228, 236}, {160, 162, 174}, (canvas.X(y) - 9) / 8),
                             1.0);
        }
    return canvas.ToImage();
}

} // namespace quillon::art
