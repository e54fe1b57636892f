#include "ButtonFace.h"

#include "Gdi.h"

#include <string>

namespace quillon {

void DrawButtonFace(const DRAWITEMSTRUCT& item, HFONT font) {
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;

    Brush face(CreateSolidBrush(kButtonFace));
    FillRect(dc, &box, face.get());
    DrawEdge(dc, &box, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)), L'\0');
    GetWindowTextW(item.hwndItem, caption.data(), static_cast<int>(caption.size()) + 1);
    RECT text = box;
    if (pressed)
        OffsetRect(&text, 1, 1);
    SelectObjectScope selectFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(item.itemState & ODS_DISABLED ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = box;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace quillon
