// Form1 at its display scale: the skin, fonts, icon, control places and outline follow the DPI
// of the window's monitor, from the twips of the layout table.
#include "Form1.h"

#include "window/ArtBitmaps.h"
#include "ControlIds.h"
#include "Form1Layout.h"
#include "resource.h"

#include <commctrl.h>

namespace quillon {

namespace {
constexpr int kTwipsPerPoint = 20;
constexpr int kFontTwips = 165; // 8.25 pt
} // namespace

Font Form1::PointFont(const std::wstring& face) const {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kFontTwips, Dpi(), 72 * kTwipsPerPoint);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return Font(CreateFontIndirectW(&font));
}

void Form1::ApplyDpi() {
    skin_ = SkinBitmap(Dpi());
    skinBrush_.reset(skin_ ? CreatePatternBrush(skin_.get()) : nullptr);

    Font text1 = PointFont(text1Face_), controls = PointFont(L"Tahoma");
    LayOutControls(SWP_NOREDRAW);
    for (const ControlSpec& c : Form1Controls())
        if (c.id != IDC_TEXT1)
            SendMessageW(Control(c.id), WM_SETFONT, reinterpret_cast<WPARAM>(controls.get()),
                         FALSE);
    preview_.SetFont(text1.get(), false);
    FitCombo1();
    text1Font_ = std::move(text1); // the controls hold the new fonts: the old ones can go
    controlFont_ = std::move(controls);
    SetIcons();
    RefreshPreview(); // the new font took the line's look
}

void Form1::LayOutControls(UINT flags) {
    const int dpi = Dpi();
    HDWP positions = BeginDeferWindowPos(static_cast<int>(Form1Controls().size()));
    for (const ControlSpec& c : Form1Controls()) {
        const Box px = TwipsToPixels(c.twips, dpi);
        // A combo box's window height includes its drop-down list.
        const int height =
            c.id == IDC_COMBO1 ? px.height + TwipsToPixels(kComboListTwips, dpi) : px.height;
        if (positions)
            positions = DeferWindowPos(positions, Control(c.id), nullptr, px.left, px.top, px.width,
                                       height, flags | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions)
        EndDeferWindowPos(positions);
}

// The closed combo box is as high as its selection field plus a frame; the field follows the
// font. The field is set, then corrected by what the combo box still lacks or has over its box,
// which holds however the platform counts the field's own border (Wine reads back 2 more than
// was set).
void Form1::FitCombo1() {
    HWND combo = Control(IDC_COMBO1);
    const int box = TwipsToPixels(Form1Control(IDC_COMBO1).twips.height, Dpi());
    auto field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; field != CB_ERR && attempt < 3; ++attempt) {
        RECT r{};
        GetWindowRect(combo, &r);
        const int off = box - (r.bottom - r.top);
        if (off == 0 || field + off <= 0)
            return;
        field += off;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

// The icon image for this scale, or the next larger one reduced by Windows (comctl32 6 has
// the call; without it, the image Windows picks).
void Form1::SetIcons() {
    using ScaleDownFn = HRESULT WINAPI(HINSTANCE, PCWSTR, int, int, HICON*);
    static auto* scaleDown = reinterpret_cast<ScaleDownFn*>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "LoadIconWithScaleDown")));
    auto load = [&](int designSize) {
        HICON icon = nullptr;
        const int size = MulDiv(designSize, Dpi(), kDesignDpi);
        if (!scaleDown ||
            FAILED(scaleDown(instance_, MAKEINTRESOURCEW(IDI_QUILLON), size, size, &icon)))
            icon = static_cast<HICON>(
                LoadImageW(instance_, MAKEINTRESOURCEW(IDI_QUILLON), IMAGE_ICON, size, size, 0));
        return Icon(icon);
    };
    Icon big = load(32), small = load(16);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

} // namespace quillon
