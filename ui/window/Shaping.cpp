#include "Shaping.h"

#include "Gdi.h"

#include <algorithm>

namespace quillon {

const ShapeSpec* FindShape(std::span<const ShapeSpec> shapes, std::wstring_view tag) {
    for (const ShapeSpec& shape : shapes)
        if (tag == shape.tag)
            return &shape;
    return nullptr;
}

bool ShapeContains(const ShapeSpec& shape, int x, int y, int dpi) {
    const Box box = TwipsToPixels(shape.twips, dpi);
    if (shape.kind == ShapeKind::Oval)
        return HitTestEllipse(x, y, box);
    const int corner = TwipsToPixels(kCornerEllipseTwips, dpi);
    return HitTestRoundRect(x, y, box, corner, corner);
}

// Region edges exclude the right and bottom line that the drawn outline includes, hence + 1.
HRGN CreateShapeRegion(const ShapeSpec& shape, int dpi) {
    const Box b = TwipsToPixels(shape.twips, dpi);
    const int right = b.left + b.width + 1, bottom = b.top + b.height + 1;
    if (shape.kind == ShapeKind::Oval)
        return CreateEllipticRgn(b.left, b.top, right, bottom);
    const int corner = TwipsToPixels(kCornerEllipseTwips, dpi);
    return CreateRoundRectRgn(b.left, b.top, right, bottom, corner, corner);
}

void DrawShapeOutline(HDC dc, const ShapeSpec& shape, int dpi) {
    const Box b = TwipsToPixels(shape.twips, dpi);
    const int width = std::max(1, dpi / 96);
    // Inside the frame, so a wider line stays within the window's region.
    Pen pen(CreatePen(PS_INSIDEFRAME, width, GetSysColor(COLOR_WINDOWTEXT)));
    SelectObjectScope selectPen(dc, pen.get());
    SelectObjectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
    if (shape.kind == ShapeKind::Oval) {
        Ellipse(dc, b.left, b.top, b.left + b.width, b.top + b.height);
    } else {
        const int corner = TwipsToPixels(kCornerEllipseTwips, dpi);
        RoundRect(dc, b.left, b.top, b.left + b.width, b.top + b.height, corner, corner);
    }
}

bool FormShaper::Cut(HWND window, const ShapeSpec& shape, int dpi, bool redraw) {
    Region region(CreateShapeRegion(shape, dpi));
    if (!region || !SetWindowRgn(window, region.get(), redraw))
        return false;
    region.release(); // the window owns it now
    return true;
}

void FormShaper::Shape(HWND window, std::wstring_view tag, int dpi) {
    const ShapeSpec* shape = FindShape(shapes_, tag);
    if (shape && Cut(window, *shape, dpi, true))
        current_ = shape;
}

void FormShaper::Recut(HWND window, int dpi) {
    if (current_)
        Cut(window, *current_, dpi, false);
}

} // namespace quillon
