// Moving to a monitor of another scale: Windows sends WM_DPICHANGED with a suggested rectangle
// (Wine never does, so the test sends it as Windows would).
#include "ControlIds.h"
#include "form1/Form1Layout.h"
#include "GdiObjects.h"
#include "UiTestSupport.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace uitest;

namespace {

// What Windows sends when the window's monitor changes to `dpi`: the window keeps its place,
// at the size it asked for through WM_GETDPISCALEDSIZE.
void MoveToDpi(HWND window, int dpi) {
    SIZE size{};
    SendMessageW(window, 0x02E4 /* WM_GETDPISCALEDSIZE */, dpi, reinterpret_cast<LPARAM>(&size));
    RECT r{};
    GetWindowRect(window, &r);
    RECT suggested{r.left, r.top, r.left + size.cx, r.top + size.cy};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

int FontHeight(HWND window) {
    return FontOf(window).lfHeight;
}

// Everything of both windows that depends on the scale, checked against the twips at `dpi`.
void ExpectLaidOutAt(HWND form, HWND button, int dpi) {
    SCOPED_TRACE(dpi);
    RECT r{};
    GetClientRect(form, &r);
    EXPECT_EQ(r.right, Px(6015, dpi));
    EXPECT_EQ(r.bottom, Px(2610, dpi));
    for (const ControlSpec& c : Form1Controls()) {
        const RECT at = InParent(GetDlgItem(form, c.id));
        EXPECT_EQ(at.left, Px(c.twips.left, dpi)) << c.id;
        EXPECT_EQ(at.top, Px(c.twips.top, dpi)) << c.id;
        EXPECT_EQ(at.right - at.left, Px(c.twips.width, dpi)) << c.id;
        EXPECT_EQ(at.bottom - at.top, Px(c.twips.height, dpi)) << c.id;
    }
    EXPECT_EQ(FontHeight(GetDlgItem(form, IDC_TEXT1)), -Px(165, dpi));
    EXPECT_EQ(FontHeight(GetDlgItem(form, IDC_COMMAND1)), -Px(165, dpi));
    const RECT outline = RegionBox(form);
    EXPECT_EQ(outline.right, Px(6015, dpi));
    EXPECT_EQ(outline.bottom, Px(2625, dpi));

    GetClientRect(button, &r);
    EXPECT_EQ(r.right, Px(1560, dpi));
    EXPECT_EQ(r.bottom, Px(375, dpi));
    const RECT oval = RegionBox(button);
    EXPECT_EQ(oval.left, Px(30, dpi));
    EXPECT_EQ(oval.right, Px(30, dpi) + Px(1080, dpi));
}

} // namespace

TEST(DpiChange, BothWindowsFollowEachScaleAndLeaveNoGdiObjectsBehind) {
    LoadedForm f;
    HWND form = f.Hwnd();
    // The floating button is shown over the hidden main window; both get the message.
    SendMessageW(f.Item(IDC_COMMAND2), BM_CLICK, 0, 0);
    HWND button = FindWindowW(kForm2Class, nullptr);
    ASSERT_TRUE(button);

    RECT before{};
    GetWindowRect(form, &before);
    auto roundTrip = [&](bool check) {
        for (int dpi : {96, 192, 120, 96}) {
            MoveToDpi(form, dpi);
            MoveToDpi(button, dpi);
            if (check)
                ExpectLaidOutAt(form, button, dpi);
        }
    };
    roundTrip(true);
    RECT after{};
    GetWindowRect(form, &after);
    EXPECT_EQ(after.left, before.left) << "the suggested place is taken";
    EXPECT_EQ(after.top, before.top);
    Pump(50);

    const int once = GdiObjectCount(GetCurrentProcess());
    ASSERT_GT(once, 0);
    for (int i = 0; i < 100; ++i)
        roundTrip(false);
    Pump(50);
    const int hundred = GdiObjectCount(GetCurrentProcess());
    std::printf("GDI objects: %d after one round trip, %d after 101\n", once, hundred);
    EXPECT_EQ(hundred, once);
    ExpectLaidOutAt(form, button, 96);

    LeftClick(button, 38, 12);
    EXPECT_TRUE(IsWindowVisible(form));
}
