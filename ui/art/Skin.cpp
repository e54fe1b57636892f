// The main window's skin: a glowing circuit pattern, the title plate, the close mark and the
// painted captions, at the places the window's controls expect them.
#include "Artwork.h"
#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quillon::art {

namespace {

constexpr DesignBox kTitlePlate{10, 5, 165, 28};
constexpr int kRibbonStartX = 160, kRibbonEndX = 300;
constexpr DesignBox kCloseMark{376, 5, 398, 26};

struct Caption {
    const char* text;
    DesignBox box;
};
constexpr Caption kHeadings[] = {{"COL 1", {28, 40, 82, 50}},
                                 {"COL 2", {120, 42, 184, 52}},
                                 {"COL 3", {216, 42, 280, 52}},
                                 {"COL 4", {309, 41, 373, 51}}};
constexpr Caption kStyleCaptions[] = {{"FIRST BOLD", {320, 135, 392, 144}},
                                      {"ALL BOLD", {320, 152, 389, 160}}};

constexpr Rgb kTeal{0, 215, 200};
constexpr Rgb kSteel{40, 100, 210}; // the glow outside every coloured region
constexpr Rgb kMagenta{255, 50, 215};
struct Glow {
    DesignBox box;
    Rgb hue;
};
// Each colour column's swatch and sliders plus a margin, and its hue.
constexpr Glow kColumnGlows[] = {{{12, 34, 96, 116}, {60, 130, 255}},
                                 {{109, 36, 193, 117}, {170, 80, 255}},
                                 {{203, 36, 287, 118}, {255, 50, 60}},
                                 {{297, 35, 381, 119}, {50, 240, 110}}};
constexpr DesignBox kTealGlow{0, 112, 300, 174}; // font box, "m", text line and Send stand here

// Own generator, so the pattern is the same on every platform.
class Lcg {
  public:
    explicit Lcg(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return state_ >> 33;
    }
    int Between(int lo, int hi) { return lo + static_cast<int>(Next() % (hi - lo + 1)); }
    bool Chance(int percent) { return Next() % 100 < static_cast<std::uint64_t>(percent); }

  private:
    std::uint64_t state_;
};

// The circuit traces, laid out on the 100 % grid.
class Traces {
  public:
    Traces() : layer_(static_cast<std::size_t>(kSkinWidth) * kSkinHeight) {}

    void Spray(Lcg& rng, DesignBox box, int count, double dimmest) {
        for (int i = 0; i < count; ++i) {
            const int x = box.x0 + 3 * rng.Between(0, (box.x1 - box.x0) / 3);
            const int y = box.y0 + 3 * rng.Between(0, (box.y1 - box.y0) / 3);
            const double value = dimmest + (1.0 - dimmest) * rng.Between(0, 100) / 100;
            if (rng.Chance(12))
                Bus(rng, x, y, value);
            else
                Trace(rng, x, y, value);
        }
    }
    double At(int x, int y) const {
        x = std::clamp(x, 0, kSkinWidth - 1);
        y = std::clamp(y, 0, kSkinHeight - 1);
        return layer_[static_cast<std::size_t>(y) * kSkinWidth + x];
    }

  private:
    void Plot(int x, int y, double value) {
        if (x < 0 || y < 0 || x >= kSkinWidth || y >= kSkinHeight)
            return;
        double& p = layer_[static_cast<std::size_t>(y) * kSkinWidth + x];
        p = std::max(p, value);
    }
    // A ring of radius 2 (solder pad), or a via with its centre filled.
    void Pad(int x, int y, double value, bool filled) {
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy) {
                const bool edge = std::abs(dx) == 2 || std::abs(dy) == 2;
                if (std::abs(dx) == 2 && std::abs(dy) == 2)
                    continue;
                if (edge || (filled && dx == 0 && dy == 0))
                    Plot(x + dx, y + dy, value);
            }
    }
    // Straight runs joined by 45-degree chamfers, with pads at its ends.
    void Trace(Lcg& rng, int x, int y, double value) {
        static constexpr int kDirs[8][2] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                            {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
        int d = 2 * rng.Between(0, 3);
        Pad(x, y, value, rng.Chance(50));
        const int segments = rng.Between(2, 4);
        for (int seg = 0; seg < segments; ++seg) {
            if (seg) {
                const int turn = rng.Chance(50) ? 1 : -1;
                const int chamfer = (d + turn + 8) % 8;
                for (int n = rng.Between(3, 9); n > 0; --n)
                    Plot(x += kDirs[chamfer][0], y += kDirs[chamfer][1], value);
                d = (d + 2 * turn + 8) % 8;
            }
            for (int n = rng.Between(6, 34); n > 0; --n)
                Plot(x += kDirs[d][0], y += kDirs[d][1], value);
        }
        Pad(x, y, value, rng.Chance(40));
    }
    // A few parallel horizontal traces with staggered ends, like a data bus.
    void Bus(Lcg& rng, int x, int y, double value) {
        const int lanes = rng.Between(2, 4);
        const int length = rng.Between(30, 70);
        for (int lane = 0; lane < lanes; ++lane) {
            const int start = x + 3 * lane, yy = y + 3 * lane;
            for (int xx = start; xx < start + length - 4 * lane; ++xx)
                Plot(xx, yy, value);
            Pad(start + length - 4 * lane + 2, yy, value, true);
        }
    }

    Layer layer_;
};

Layer TraceLayer(const Canvas& canvas) {
    Traces traces;
    Lcg rng(0x5155494C4C4F4EULL);
    traces.Spray(rng, {0, 0, kSkinWidth - 1, kSkinHeight - 1}, 44, 0.35);
    for (const Glow& glow : kColumnGlows)
        traces.Spray(rng, glow.box, 13, 0.6);
    traces.Spray(rng, kTealGlow, 22, 0.55);
    traces.Spray(rng, {300, 118, 399, 174}, 5, 0.35);
    // One-pixel lines of the design become lines of whole canvas pixels: sharp at any scale.
    Layer layer(static_cast<std::size_t>(canvas.Width()) * canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            layer[canvas.Index(x, y)] = traces.At(canvas.Cell(x), canvas.Cell(y));
    return layer;
}

// The hue the pattern glows in at a design point, and how strongly the region lights it.
std::pair<Rgb, double> GlowHue(double x, double y) {
    double weights[5];
    const Rgb* hues[5];
    for (int i = 0; i < 4; ++i) {
        weights[i] = SoftBox(x, y, kColumnGlows[i].box, 10.0);
        hues[i] = &kColumnGlows[i].hue;
    }
    weights[4] = SoftBox(x, y, kTealGlow, 12.0) * (1.0 - 0.6 * Smoothstep(60, 300, x));
    hues[4] = &kTeal;
    double total = 0.12, strongest = 0;
    Rgb acc{kSteel[0] * 0.12, kSteel[1] * 0.12, kSteel[2] * 0.12};
    for (int i = 0; i < 5; ++i) {
        total += weights[i];
        for (int c = 0; c < 3; ++c)
            acc[c] += (*hues[i])[c] * weights[i];
        strongest = std::max(strongest, weights[i]);
    }
    return {{acc[0] / total, acc[1] / total, acc[2] / total}, 0.3 + 0.7 * strongest};
}

void DrawBackground(Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    const Layer traces = TraceLayer(canvas);
    const Layer near = BoxBlur(traces, w, h, canvas.Px(1), 2);
    const Layer far = BoxBlur(traces, w, h, canvas.Px(4), 2);
    Layer ambient(traces.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double a = 0;
            for (const Glow& glow : kColumnGlows)
                a = std::max(a, SoftBox(canvas.X(x), canvas.X(y), glow.box, 2.0));
            ambient[canvas.Index(x, y)] = a;
        }
    ambient = BoxBlur(std::move(ambient), w, h, canvas.Px(6), 2);

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = canvas.Index(x, y);
            const double dx = canvas.X(x), dy = canvas.X(y);
            // Deep navy at the top left to black at the bottom right.
            const double t = std::min(1.0, (dy / kSkinHeight) * 0.7 + (dx / kSkinWidth) * 0.3);
            const Rgb base = Lerp({8, 16, 48}, {1, 2, 8}, t);
            const auto [hue, strength] = GlowHue(dx, dy);
            double light = strength * (0.5 * traces[i] + 1.1 * near[i] + 0.8 * far[i]);
            light += 0.14 * ambient[i];
            const double hot = 0.12 * strength * traces[i]; // whitish core of the brightest lines
            Rgb& p = canvas.At(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = Knee(base[c] + hue[c] * light + 255 * hot);
        }
}

// Dims the pattern over an area so what is painted there stands out.
void DarkenBand(Canvas& canvas, DesignBox box, double soft, double amount) {
    const DesignBox area = canvas.Around(box, soft);
    for (int y = area.y0; y <= area.y1; ++y)
        for (int x = area.x0; x <= area.x1; ++x) {
            const double cover = SoftBox(canvas.X(x), canvas.X(y), box, soft);
            if (cover > 0)
                canvas.Multiply(x, y, 1.0 - amount * cover);
        }
}

// A dark halo that follows the letters of a caption in `box`, so they read on the glowing
// pattern. The blur reaches twice its radius; beyond that the layer stays zero.
void ShadowHalo(Canvas& canvas, const Mask& mask, DesignBox box, double amount) {
    const int radius = canvas.Px(2);
    const DesignBox area = canvas.Around(box, 2.0 * radius / canvas.Scale() + 2);
    const int w = area.x1 - area.x0 + 1, h = area.y1 - area.y0 + 1;
    Layer layer(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            layer[static_cast<std::size_t>(y) * w + x] =
                mask[canvas.Index(area.x0 + x, area.y0 + y)];
    layer = BoxBlur(std::move(layer), w, h, radius, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (const double v = layer[static_cast<std::size_t>(y) * w + x]; v > 0)
                canvas.Multiply(area.x0 + x, area.y0 + y, 1.0 - amount * std::min(1.0, 3.0 * v));
}

// A glowing magenta ribbon leaving the title plate and fading out towards the right.
void DrawRibbon(Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    const double s = canvas.Scale();
    Layer body(static_cast<std::size_t>(w) * h), core(body.size());
    const double span = kRibbonEndX - kRibbonStartX;
    for (int px = 0; px < w; ++px) {
        const int cell = canvas.Cell(px);
        if (cell < kRibbonStartX || cell >= kRibbonEndX + 12)
            continue;
        const double x = canvas.X(px);
        const double u = std::min(1.0, std::max(0.0, (x - kRibbonStartX) / span));
        const double fade = std::pow(1.0 - u, 1.4);
        const double centre = 16.5 + 1.8 * std::sin((x - kRibbonStartX) / 23.0);
        // The width breathes as if the ribbon twisted on its way out.
        const double twist = 0.45 + 0.55 * std::abs(std::cos((x - kRibbonStartX) / 19.0));
        const double half = 1.0 + 7.0 * std::pow(1.0 - u, 0.8) * twist;
        for (int py = 0; py < h; ++py) {
            if (canvas.Cell(py) < 2 || canvas.Cell(py) >= 32)
                continue;
            const double d = std::abs(canvas.X(py) + 0.5 - centre);
            const std::size_t i = canvas.Index(px, py);
            body[i] = fade * std::min(1.0, std::max(0.0, (half - d) * s + 0.5));
            core[i] = fade * std::max(0.0, 1.0 - d / 1.2);
            // Two thin edge lines give it the look of a ribbon rather than a bar.
            const double edge = std::abs(d - half * 0.75);
            core[i] = std::max(core[i], 0.6 * fade * std::max(0.0, 1.0 - edge));
        }
    }
    const Layer glow = BoxBlur(body, w, h, canvas.Px(4), 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = canvas.Index(x, y);
            if (!body[i] && !(glow[i] > 0.002) && !core[i])
                continue;
            Rgb& p = canvas.At(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = Knee(p[c] + kMagenta[c] * (0.6 * body[i] + 1.4 * glow[i]) + 120 * core[i]);
        }
}

// Antialiased coverage of a canvas pixel by a rounded rectangle; (cx, cy) is the pixel's
// centre in design units.
double RoundedRectCoverage(const Canvas& canvas, double cx, double cy, DesignBox box,
                           double radius) {
    const double nx = std::min(std::max(cx, box.x0 + radius), box.x1 + 1 - radius);
    const double ny = std::min(std::max(cy, box.y0 + radius), box.y1 + 1 - radius);
    const double d = std::hypot(cx - nx, cy - ny) - radius;
    return std::min(1.0, std::max(0.0, 0.5 - d * canvas.Scale()));
}

double Centre(const Canvas& canvas, int px) {
    return canvas.X(px) + 0.5;
}

bool InCells(const Canvas& canvas, int x, int y, DesignBox box) {
    const int cx = canvas.Cell(x), cy = canvas.Cell(y);
    return cx >= box.x0 && cx <= box.x1 && cy >= box.y0 && cy <= box.y1;
}

void DrawTitlePlate(Canvas& canvas) {
    const auto [x0, y0, x1, y1] = kTitlePlate;
    const DesignBox inner{x0 + 1, y0 + 1, x1 - 1, y1 - 1};
    const DesignBox area = canvas.Around({x0, y0, x1 + 4, y1 + 4}, 1);
    for (int y = area.y0; y <= area.y1; ++y)
        for (int x = area.x0; x <= area.x1; ++x) {
            if (InCells(canvas, x, y, {x0, y0, x1 + 4, y1 + 4})) { // soft drop shadow
                const double cover = RoundedRectCoverage(canvas, Centre(canvas, x) - 2,
                                                         Centre(canvas, y) - 2, kTitlePlate, 4);
                canvas.Multiply(x, y, 1.0 - 0.55 * cover);
            }
        }
    for (int y = area.y0; y <= area.y1; ++y) {
        const double t = (canvas.X(y) - y0) / (y1 - y0);
        const Rgb face = Lerp({220, 212, 232}, {172, 163, 190}, t);
        for (int x = area.x0; x <= area.x1; ++x) {
            if (!InCells(canvas, x, y, kTitlePlate))
                continue;
            const double cx = Centre(canvas, x), cy = Centre(canvas, y);
            canvas.Blend(x, y, {92, 84, 110}, RoundedRectCoverage(canvas, cx, cy, kTitlePlate, 4));
            Rgb colour = face;
            if (canvas.Cell(y) == y0 + 1)
                colour = {240, 236, 248}; // lit top edge
            else if (canvas.Cell(y) == y1 - 1)
                colour = Lerp(face, {120, 110, 140}, 0.6);
            canvas.Blend(x, y, colour, RoundedRectCoverage(canvas, cx, cy, inner, 3));
        }
    }
    const DesignBox textBox{x0 + 16, y0 + 5, x1 - 16, y1 - 5};
    const Mask mask = TextMask(canvas, "QUILLON", textBox, 3.0);
    const Mask ring = Outline(canvas, mask, canvas.LineWidth());
    for (int y = area.y0; y <= area.y1; ++y)
        for (int x = area.x0; x <= area.x1; ++x) {
            const std::size_t i = canvas.Index(x, y);
            if (ring[i])
                canvas.Blend(x, y, {0, 0, 0}, 1.0);
            if (mask[i]) {
                const double t = (canvas.X(y) - y0 - 5) / (y1 - y0 - 10);
                canvas.Blend(x, y, Lerp({96, 96, 104}, {58, 58, 66}, t), 1.0);
            }
        }
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double vx = bx - ax, vy = by - ay;
    const double t =
        std::max(0.0, std::min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)));
    return std::hypot(px - ax - t * vx, py - ay - t * vy);
}

void DrawCloseMark(Canvas& canvas) {
    const auto [x0, y0, x1, y1] = kCloseMark;
    const DesignBox area = canvas.Around(kCloseMark, 1);
    for (int y = area.y0; y <= area.y1; ++y)
        for (int x = area.x0; x <= area.x1; ++x) {
            if (!InCells(canvas, x, y, kCloseMark))
                continue;
            const int cx = canvas.Cell(x), cy = canvas.Cell(y);
            Rgb colour;
            if (cx == x0 || cx == x1 || cy == y0 || cy == y1)
                colour = {48, 48, 54};
            else if (cx == x0 + 1 || cy == y0 + 1)
                colour = {226, 226, 232};
            else if (cx == x1 - 1 || cy == y1 - 1)
                colour = {112, 112, 120};
            else
                colour = Lerp({192, 192, 198}, {146, 146, 154}, (canvas.X(y) - y0) / (y1 - y0));
            canvas.Blend(x, y, colour, 1.0);
        }
    // The X: two thick antialiased strokes, inset from the bevel.
    const double ax = x0 + 6.0, ay = y0 + 6.0, bx = x1 - 5.0, by = y1 - 5.0;
    for (int y = area.y0; y <= area.y1; ++y)
        for (int x = area.x0; x <= area.x1; ++x) {
            if (!InCells(canvas, x, y, {x0 + 2, y0 + 2, x1 - 2, y1 - 2}))
                continue;
            const double cx = Centre(canvas, x), cy = Centre(canvas, y);
            const double d = std::min(SegmentDistance(cx, cy, ax, ay, bx, by),
                                      SegmentDistance(cx, cy, bx, ay, ax, by));
            canvas.Blend(x, y, {34, 34, 40},
                         std::min(1.0, std::max(0.0, (1.1 - d) * canvas.Scale() + 0.5)));
        }
}

// Capitals with a dark halo and rim; `shade` gives the colour of a letter pixel's design row.
template <class Shade>
void PaintCaption(Canvas& canvas, const Caption& caption, double columnScale, double rimAlpha,
                  Shade shade) {
    const Mask mask = TextMask(canvas, caption.text, caption.box, columnScale);
    ShadowHalo(canvas, mask, caption.box, 0.85);
    const Mask ring = Outline(canvas, mask, canvas.LineWidth());
    const DesignBox area = canvas.Around(caption.box, 4);
    for (int y = area.y0; y <= area.y1; ++y)
        for (int x = area.x0; x <= area.x1; ++x) {
            const std::size_t i = canvas.Index(x, y);
            if (ring[i])
                canvas.Blend(x, y, {6, 8, 14}, rimAlpha);
            if (mask[i])
                canvas.Blend(x, y, shade(canvas.X(y)), 1.0);
        }
}

} // namespace

Image DrawSkin(double scale) {
    Canvas canvas(kSkinWidth, kSkinHeight, scale, {0, 0, 0});
    DrawBackground(canvas);
    DarkenBand(canvas, {kRibbonStartX, 6, kCloseMark.x0 - 4, 27}, 5, 0.6);
    DrawRibbon(canvas);
    DrawTitlePlate(canvas);
    DrawCloseMark(canvas);
    for (const Caption& heading : kHeadings) {
        // Grey metallic: light to dark from top to bottom.
        const double top = heading.box.y0, span = std::max(1, heading.box.y1 - heading.box.y0);
        PaintCaption(canvas, heading, 2.0, 0.85, [&](double y) {
            const double t = (y - top) / span;
            Rgb colour = Lerp({238, 240, 246}, {104, 106, 118}, t);
            return t < 0.2 ? Lerp(colour, {255, 255, 255}, 0.3) : colour;
        });
    }
    for (const Caption& caption : kStyleCaptions)
        PaintCaption(canvas, caption, 1.2, 0.8, [](double) { return Rgb{186, 188, 198}; });
    return canvas.ToImage();
}

} // namespace quillon::art
