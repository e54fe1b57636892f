// FormShaper1: cuts a window to the outline of one of its shapes, named by the shape's tag text.
#pragma once

#include "Geometry.h"

#include <windows.h>

#include <span>
#include <string_view>

namespace quillon {

enum class ShapeKind { RoundRect, Oval };

struct ShapeSpec {
    const wchar_t* tag;
    ShapeKind kind;
    Box twips;
};

// The shape whose tag is exactly `tag`, or null.
const ShapeSpec* FindShape(std::span<const ShapeSpec> shapes, std::wstring_view tag);

// Whether the client pixel (x, y) lies inside the shape's outline at `dpi`.
bool ShapeContains(const ShapeSpec& shape, int x, int y, int dpi);

// Creates the region of the shape, in client pixels at `dpi`.
HRGN CreateShapeRegion(const ShapeSpec& shape, int dpi);

// Draws the shape's outline in the window-text colour, no fill: one pixel wide at 96 dpi, as
// many whole pixels as the scale holds above it.
void DrawShapeOutline(HDC dc, const ShapeSpec& shape, int dpi);

class FormShaper {
  public:
    explicit FormShaper(std::span<const ShapeSpec> shapes) : shapes_(shapes) {}

    // Gives `window` the outline of the shape tagged `tag` at the window's DPI; an unknown tag or
    // a refused region leaves the window rectangular.
    void Shape(HWND window, std::wstring_view tag, int dpi);

    // A window already shaped is cut again at a new scale, unpainted.
    void Recut(HWND window, int dpi);

    // The shape in force, or null before Shape (or after an unknown tag).
    const ShapeSpec* Current() const { return current_; }

    // Whether a client point is inside the window's outline (always, while unshaped).
    bool Contains(int x, int y, int dpi) const {
        return !current_ || ShapeContains(*current_, x, y, dpi);
    }

  private:
    static bool Cut(HWND window, const ShapeSpec& shape, int dpi, bool redraw);

    std::span<const ShapeSpec> shapes_;
    const ShapeSpec* current_ = nullptr;
};

} // namespace quillon
