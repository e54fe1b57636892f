#include "Canvas.h"

#include "PixelFont.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quillon::art {

Canvas::Canvas(int designWidth, int designHeight, double scale, Rgb fill)
    : w_(0), h_(0), s_(scale) {
    w_ = Px(designWidth);
    h_ = Px(designHeight);
    px_.assign(static_cast<std::size_t>(w_) * h_, fill);
}

int Canvas::Cell(int px) const {
    return static_cast<int>(std::floor((px + 0.5) / s_));
}

int Canvas::Px(double design) const {
    return static_cast<int>(std::floor(design * s_ + 0.5));
}

DesignBox Canvas::Scaled(DesignBox box) const {
    return {Px(box.x0), Px(box.y0), Px(box.x1 + 1) - 1, Px(box.y1 + 1) - 1};
}

DesignBox Canvas::Around(DesignBox box, double margin) const {
    return {std::max(0, Px(box.x0 - margin) - 1), std::max(0, Px(box.y0 - margin) - 1),
            std::min(w_ - 1, Px(box.x1 + 1 + margin) + 1),
            std::min(h_ - 1, Px(box.y1 + 1 + margin) + 1)};
}

int Canvas::LineWidth() const {
    return std::max(1, static_cast<int>(std::floor(s_ + 0.25)));
}

void Canvas::Blend(int x, int y, const Rgb& colour, double alpha) {
    if (alpha <= 0 || x < 0 || y < 0 || x >= w_ || y >= h_)
        return;
    alpha = std::min(alpha, 1.0);
    Rgb& p = At(x, y);
    for (int i = 0; i < 3; ++i)
        p[i] += (colour[i] - p[i]) * alpha;
}

void Canvas::Multiply(int x, int y, double factor) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_)
        return;
    for (double& c : At(x, y))
        c *= factor;
}

Image Canvas::ToImage() const {
    Image image{w_, h_, std::vector<std::uint32_t>(px_.size())};
    for (std::size_t i = 0; i < px_.size(); ++i) {
        std::uint32_t p = 0;
        for (int c = 0; c < 3; ++c) {
            const double v = std::trunc(px_[i][c] + 0.5);
            p |= static_cast<std::uint32_t>(std::clamp(v, 0.0, 255.0)) << (16 - 8 * c);
        }
        image.pixels[i] = p;
    }
    return image;
}

double Smoothstep(double e0, double e1, double v) {
    const double t = std::min(1.0, std::max(0.0, (v - e0) / (e1 - e0)));
    return t * t * (3 - 2 * t);
}

double SoftBox(double x, double y, const DesignBox& box, double soft) {
    const double dx = std::max({box.x0 - x, 0.0, x - box.x1});
    const double dy = std::max({box.y0 - y, 0.0, y - box.y1});
    if (dx == 0 && dy == 0)
        return 1.0;
    if (dx >= soft || dy >= soft)
        return 0.0;
    return 1.0 - Smoothstep(0.0, soft, std::hypot(dx, dy));
}

Rgb Lerp(const Rgb& a, const Rgb& b, double t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

double Knee(double v) {
    return v < 190 ? v : 190 + 65 * (1 - std::exp(-(v - 190) / 65));
}

Layer BoxBlur(Layer layer, int w, int h, int radius, int passes) {
    const double size = 2 * radius + 1;
    Layer tmp(layer.size()), row(static_cast<std::size_t>(std::max(w, h)));
    auto run = [&](const double* line, int n, auto&& put) {
        double first = 0;
        for (int i = 0; i <= radius; ++i)
            first += line[std::min(i, n - 1)];
        double acc = line[0] * radius + first;
        for (int i = 0; i < n; ++i) {
            put(i, acc / size);
            acc += line[std::min(i + radius + 1, n - 1)] - line[std::max(i - radius, 0)];
        }
    };
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < h; ++y)
            run(&layer[static_cast<std::size_t>(y) * w], w,
                [&](int x, double v) { tmp[static_cast<std::size_t>(y) * w + x] = v; });
        for (int x = 0; x < w; ++x) {
            for (int y = 0; y < h; ++y)
                row[y] = tmp[static_cast<std::size_t>(y) * w + x];
            run(row.data(), h,
                [&](int y, double v) { layer[static_cast<std::size_t>(y) * w + x] = v; });
        }
    }
    return layer;
}

namespace {

// Splits a text height over the font rows so all horizontal bars stay equally thick.
std::array<int, kFontRows> RowHeights(int height) {
    std::array<int, kFontRows> rows;
    rows.fill(height / kFontRows);
    int extra = height % kFontRows;
    if (extra >= static_cast<int>(kBarRows.size())) {
        for (int r : kBarRows)
            ++rows[r];
        extra -= static_cast<int>(kBarRows.size());
    }
    for (int i = 0; i < extra; ++i)
        ++rows[kSideRows[i]];
    return rows;
}

// Splits a glyph's width over its columns, widening the most inked columns first.
std::vector<int> ColumnWidths(const Glyph& glyph, int width) {
    const int cols = glyph.Columns();
    std::vector<int> order(static_cast<std::size_t>(cols)), ink(order.size());
    std::iota(order.begin(), order.end(), 0);
    for (int c = 0; c < cols; ++c)
        for (std::string_view row : glyph.rows)
            ink[c] += row[c] == '#';
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return ink[a] > ink[b]; });
    std::vector<int> widths(order.size(), width / cols);
    for (int i = 0; i < width % cols; ++i)
        ++widths[order[i]];
    return widths;
}

} // namespace

Mask TextMask(const Canvas& canvas, std::string_view text, DesignBox designBox,
              double columnScale) {
    const DesignBox box = canvas.Scaled(designBox);
    const auto rows = RowHeights(box.y1 - box.y0 + 1);
    std::vector<std::vector<const Glyph*>> words(1);
    for (char ch : text) {
        if (ch == ' ')
            words.emplace_back();
        else
            words.back().push_back(&GlyphOf(ch));
    }
    std::vector<std::vector<int>> widths;
    int letters = 0, gapUnits = kWordGap * static_cast<int>(words.size() - 1);
    for (const auto& word : words) {
        auto& w = widths.emplace_back();
        for (const Glyph* g : word) {
            const int cols = g->Columns();
            w.push_back(std::max(
                cols, static_cast<int>(std::nearbyint(cols * columnScale * canvas.Scale()))));
            letters += w.back();
        }
        gapUnits += static_cast<int>(word.size()) - 1;
    }
    const int spare = std::max(0, (box.x1 - box.x0 + 1) - letters);
    const double unit = gapUnits ? static_cast<double>(spare) / gapUnits : 0.0;

    Mask mask(static_cast<std::size_t>(canvas.Width()) * canvas.Height());
    double cursor = box.x0;
    for (std::size_t wi = 0; wi < words.size(); ++wi) {
        for (std::size_t gi = 0; gi < words[wi].size(); ++gi) {
            const Glyph& glyph = *words[wi][gi];
            const auto cols = ColumnWidths(glyph, widths[wi][gi]);
            int py = box.y0;
            for (int r = 0; r < kFontRows; ++r) {
                int px = static_cast<int>(std::nearbyint(cursor));
                for (int c = 0; c < glyph.Columns(); ++c) {
                    if (glyph.rows[r][c] == '#')
                        for (int y = py; y < py + rows[r]; ++y)
                            for (int x = px; x < px + cols[c]; ++x)
                                if (x >= 0 && y >= 0 && x < canvas.Width() && y < canvas.Height())
                                    mask[canvas.Index(x, y)] = 1;
                    px += cols[c];
                }
                py += rows[r];
            }
            cursor += widths[wi][gi];
            if (gi + 1 < words[wi].size())
                cursor += unit;
        }
        cursor += unit * kWordGap;
    }
    return mask;
}

Mask Outline(const Canvas& canvas, const Mask& mask, int width) {
    const int w = canvas.Width(), h = canvas.Height();
    Mask ring(mask.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!mask[canvas.Index(x, y)])
                continue;
            for (int dy = -width; dy <= width; ++dy)
                for (int dx = -width; dx <= width; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < w && ny < h && !mask[canvas.Index(nx, ny)])
                        ring[canvas.Index(nx, ny)] = 1;
                }
        }
    return ring;
}

} // namespace quillon::art
