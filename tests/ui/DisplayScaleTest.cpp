// Quillon at the display scale of the Wine prefix it runs in (at-dpi.sh sets it): every length
// comes from the layout's twips at that DPI, fonts keep their point sizes, the outlines follow,
// and what Send posts does not change with the scale.
#include "ControlIds.h"
#include "form1/Form1Layout.h"
#include "form2/Form2Layout.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"
#include "form1/SendAction.h"
#include "UiTestSupport.h"
#include "UnixTools.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace quillon;
using namespace uitest;

namespace {

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::string Name(const wchar_t* name) {
    return std::string(name, name + wcslen(name));
}

// An ordinary window behind the program that counts the clicks it receives.
class Backdrop {
  public:
    explicit Backdrop(RECT r) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"QuillonScaleBackdrop";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        clicks_ = 0;
    }
    ~Backdrop() { DestroyWindow(window_); }
    static int Clicks() { return clicks_; }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_LBUTTONDOWN)
            ++clicks_;
        return DefWindowProcW(w, m, wp, lp);
    }
    HWND window_;
    static inline int clicks_ = 0;
};

bool ClickAt(int x, int y) {
    const bool sent =
        Xdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" click 1");
    Pump(300);
    return sent;
}

class DisplayScale : public testing::Test {
  protected:
    void SetUp() override {
        dpi_ = SystemDpi();
        if (const char* wanted = std::getenv("QUILLON_TEST_DPI")) {
            ASSERT_EQ(dpi_, std::atoi(wanted)) << "the prefix does not run at the wanted scale";
        }
    }
    int dpi_ = 96;
};

TEST_F(DisplayScale, EveryControlStandsOnItsTwipsWithItsFont) {
    std::printf("display at %d dpi\n", dpi_);
    LoadedForm f;
    HWND form = f.Hwnd();
    RECT r{};
    GetWindowRect(form, &r);
    EXPECT_EQ(r.left, Px(2190, dpi_));
    EXPECT_EQ(r.top, Px(1875, dpi_));
    GetClientRect(form, &r);
    EXPECT_EQ(r.right, Px(6015, dpi_));
    EXPECT_EQ(r.bottom, Px(2610, dpi_));

    for (const ControlSpec& c : Form1Controls()) {
        const RECT at = InParent(f.Item(c.id));
        const Box& t = c.twips;
        EXPECT_EQ(at.left, Px(t.left, dpi_)) << "left of " << Name(c.name);
        EXPECT_EQ(at.top, Px(t.top, dpi_)) << "top of " << Name(c.name);
        EXPECT_EQ(at.right - at.left, Px(t.width, dpi_)) << "width of " << Name(c.name);
        EXPECT_EQ(at.bottom - at.top, Px(t.height, dpi_)) << "height of " << Name(c.name);
    }

    // 8.25 pt is 165 twips: the same sum gives the font's pixel height.
    const LOGFONTW text = FontOf(f.Item(IDC_TEXT1));
    EXPECT_EQ(text.lfHeight, -Px(165, dpi_));
    EXPECT_STREQ(text.lfFaceName, L"Arial");
    for (int id : {IDC_COMMAND1, IDC_COMMAND2}) {
        const LOGFONTW button = FontOf(f.Item(id));
        EXPECT_EQ(button.lfHeight, -Px(165, dpi_));
        EXPECT_STREQ(button.lfFaceName, L"Tahoma");
    }
    // The icon image made for this scale: 32 pixels at 96 dpi.
    HICON icon = reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, ICON_BIG, 0));
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP image{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof image, &image);
    EXPECT_EQ(image.bmWidth, 32 * dpi_ / 96);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    // The font box's text fits its field, which fits its box.
    HWND combo = f.Item(IDC_COMBO1);
    HDC dc = GetDC(combo);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(combo, dc);
    EXPECT_LE(metrics.tmHeight, SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    EXPECT_GE(metrics.tmHeight, Px(165, dpi_));

    // A face picked from the list keeps 8.25 pt at this scale.
    const auto index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(L"Courier New"));
    ASSERT_NE(index, CB_ERR);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    SendMessageW(form, WM_COMMAND, MAKEWPARAM(IDC_COMBO1, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_STREQ(FontOf(f.Item(IDC_TEXT1)).lfFaceName, L"Courier New");
    EXPECT_EQ(FontOf(f.Item(IDC_TEXT1)).lfHeight, -Px(165, dpi_));
}

TEST_F(DisplayScale, OutlineCutsTheCornersAtThisScale) {
    const RECT design{Px(2190, dpi_), Px(1875, dpi_), Px(2190 + 6015, dpi_), Px(1875 + 2610, dpi_)};
    Backdrop backdrop({design.left - 40, design.top - 40, design.right + 40, design.bottom + 40});
    LoadedForm f;
    Pump(300);
    // The rounded rectangle of Shape1, 6015 x 2625 twips.
    const RECT box = RegionBox(f.Hwnd());
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, Px(6015, dpi_));
    EXPECT_EQ(box.bottom, Px(2625, dpi_));

    RECT r{};
    GetWindowRect(f.Hwnd(), &r);
    // Just inside each corner the click goes to the window behind; inside the face it does not.
    const POINT corners[] = {{r.left + 1, r.top + 1},
                             {r.right - 2, r.top + 1},
                             {r.left + 1, r.bottom - 2},
                             {r.right - 2, r.bottom - 2}};
    int expected = 0;
    for (POINT p : corners) {
        ASSERT_TRUE(ClickAt(p.x, p.y));
        EXPECT_EQ(Backdrop::Clicks(), ++expected) << "corner " << p.x << "," << p.y;
    }
    // A bare stretch of skin between the headings and the swatches.
    ASSERT_TRUE(ClickAt(r.left + Px(1500, dpi_), r.top + Px(690, dpi_)));
    EXPECT_EQ(Backdrop::Clicks(), expected) << "the face takes its own clicks";
}

TEST_F(DisplayScale, FloatingButtonComesUpAtItsTwips) {
    LoadedForm f;
    SendMessageW(f.Item(IDC_COMMAND2), BM_CLICK, 0, 0);
    HWND button = FindWindowW(kForm2Class, nullptr);
    ASSERT_TRUE(button);
    RECT r{};
    GetWindowRect(button, &r);
    EXPECT_EQ(r.right - r.left, Px(1560, dpi_));
    EXPECT_EQ(r.bottom - r.top, Px(375, dpi_));
    EXPECT_EQ(r.top, Px(100, dpi_));
    // Centred by its whole width: half the screen less half of 1560 twips.
    const double left = GetSystemMetrics(SM_CXSCREEN) / 2.0 - 780.0 * dpi_ / 1440;
    EXPECT_NEAR(r.left, left, 0.5);
    const RECT oval = RegionBox(button);
    EXPECT_EQ(oval.left, Px(30, dpi_));
    EXPECT_EQ(oval.top, Px(15, dpi_));
    EXPECT_EQ(oval.right, Px(30, dpi_) + Px(1080, dpi_));
    EXPECT_EQ(oval.bottom, Px(15, dpi_) + Px(345, dpi_));
    LeftClick(button, Px(570, dpi_), Px(187, dpi_));
    EXPECT_FALSE(IsWindow(button));
    EXPECT_TRUE(IsWindowVisible(f.Hwnd()));
}

TEST_F(DisplayScale, SendPostsTheSameMarkupAsAtOneHundredPercent) {
    PracticeRoom room({L"--name", L"Blue Fox"});
    LoadedForm f;
    HWND form = f.Hwnd();
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    EXPECT_EQ(room.Lines()[0], Narrow(Announcement(kLoadedText)));
    EXPECT_EQ(room.Lines()[1], Narrow(Announcement(u"Loaded by: [blue fox]")));
    Scroll(form, 1, SB_RIGHT); // COL 1 red, COL 2 blue
    Scroll(form, 2, SB_LEFT);
    Scroll(form, 3, SB_LEFT);
    Scroll(form, 4, SB_LEFT);
    Scroll(form, 5, SB_LEFT);
    Scroll(form, 6, SB_RIGHT);
    Check(form, IDC_CHECK3, true);
    SetWindowTextW(f.Item(IDC_TEXT1), L"hello big world");
    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
    ASSERT_TRUE(room.WaitForLines(3, 5000));
    EXPECT_EQ(room.Lines()[2],
              "<font face=Arial><font color=#FF0000><b>h</b><font color=#000000>ello <font "
              "color=#AA0055><b>b</b><font color=#000000>ig <font color=#5500AA><b>w</b><font "
              "color=#000000>orld</font>");
}

// The program itself, started as a user would, declares itself aware of the scale.
TEST_F(DisplayScale, QuillonExeOpensAtThisScale) {
    PracticeRoom room;
    QuillonApp app;
    RECT r{};
    GetClientRect(app.Form1(), &r);
    EXPECT_EQ(r.right, Px(6015, dpi_));
    EXPECT_EQ(r.bottom, Px(2610, dpi_));
    GetWindowRect(app.Control(IDC_TEXT1), &r);
    EXPECT_EQ(r.bottom - r.top, Px(285, dpi_));
}

} // namespace
