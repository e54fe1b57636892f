#include "Shaping.h"

#include "Gdi.h"

namespace quillon {

const ShapeSpec* FindShape(std::span<const ShapeSpec> shapes, std::wstring_view tag) {
    for (const ShapeSpec& shape : shapes)
        if (tag == shape.tag)
            return &shape;
    return nullptr;
}

bool ShapeContains(const ShapeSpec& shape, int x, int y) {
    const Box box = TwipsToPixels(shape.twips);
    if (shape.kind == ShapeKind::Oval)
        return HitTestEllipse(x, y, box);
    return HitTestRoundRect(x, y, box, kCornerEllipse, kCornerEllipse);
}

// Region edges exclude the right and bottom line that the drawn outline includes, hence + 1.
HRGN CreateShapeRegion(const ShapeSpec& shape) {
    const Box b = TwipsToPixels(shape.twips);
    const int right = b.left + b.width + 1, bottom = b.top + b.height + 1;
    if (shape.kind == ShapeKind::Oval)
        return CreateEllipticRgn(b.left, b.top, right, bottom);
    return CreateRoundRectRgn(b.left, b.top, right, bottom, kCornerEllipse, kCornerEllipse);
}

void DrawShapeOutline(HDC dc, const ShapeSpec& shape) {
    const Box b = TwipsToPixels(shape.twips);
    Pen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT)));
    SelectObjectScope selectPen(dc, pen.get());
    SelectObjectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
    if (shape.kind == ShapeKind::Oval)
        Ellipse(dc, b.left, b.top, b.left + b.width, b.top + b.height);
    else
        RoundRect(dc, b.left, b.top, b.left + b.width, b.top + b.height, kCornerEllipse,
                  kCornerEllipse);
}

void FormShaper::Shape(HWND window, std::wstring_view tag) {
    const ShapeSpec* shape = FindShape(shapes_, tag);
    if (!shape)
        return;
    Region region(CreateShapeRegion(*shape));
    if (region && SetWindowRgn(window, region.get(), TRUE)) {
        region.release(); // the window owns it now
        current_ = shape;
    }
}

} // namespace quillon
