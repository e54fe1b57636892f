// A floating-point canvas that draws a design made in 100 % pixels at any scale: smooth shapes
// are evaluated at the scaled resolution, pixel-font letters are laid out anew in whole pixels.
#pragma once

#include "Image.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quillon::art {

using Rgb = std::array<double, 3>;
using Layer = std::vector<double>;      // one value per canvas pixel
using Mask = std::vector<std::uint8_t>; // one flag per canvas pixel
struct DesignBox {
    int x0, y0, x1, y1;
}; // inclusive, in 100 % pixels

class Canvas {
  public:
    Canvas(int designWidth, int designHeight, double scale, Rgb fill);

    int Width() const { return w_; }
    int Height() const { return h_; }
    double Scale() const { return s_; }
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * w_ + x; }

    // The design coordinate of a canvas pixel (its centre, less half a design pixel, so that at
    // 100 % it is the pixel's own index), and the design pixel that contains it.
    double X(int px) const { return (px + 0.5) / s_ - 0.5; }
    int Cell(int px) const;
    // A design length in canvas pixels, rounded half up.
    int Px(double design) const;
    DesignBox Scaled(DesignBox box) const; // inclusive canvas box
    // Canvas pixels that may touch the design box grown by `margin` design pixels, clipped to
    // the canvas: where drawing confined to that area needs to look.
    DesignBox Around(DesignBox box, double margin) const;
    int LineWidth() const; // of outlines that stay one design pixel thick

    void Blend(int x, int y, const Rgb& colour, double alpha);
    void Multiply(int x, int y, double factor);
    Rgb& At(int x, int y) { return px_[Index(x, y)]; }
    Image ToImage() const;

  private:
    int w_, h_;
    double s_;
    std::vector<Rgb> px_;
};

double Smoothstep(double e0, double e1, double v);
// 1 inside the design box, falling smoothly to 0 over `soft` design pixels outside it.
double SoftBox(double x, double y, const DesignBox& box, double soft);
Rgb Lerp(const Rgb& a, const Rgb& b, double t);
// Rolls bright values off softly so crossing glows do not burn out to flat white.
double Knee(double v);
// Separable box blur with clamped edges; a few passes approach a Gaussian glow.
Layer BoxBlur(Layer layer, int w, int h, int radius, int passes);

// The pixel-font text laid out to span the (scaled) box exactly; spare width goes into spacing.
Mask TextMask(const Canvas& canvas, std::string_view text, DesignBox box, double columnScale);
// The ring of pixels within `width` (chessboard distance) of a mask, outside it.
Mask Outline(const Canvas& canvas, const Mask& mask, int width);

} // namespace quillon::art
