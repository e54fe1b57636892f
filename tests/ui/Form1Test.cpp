// Form1 and Form2 as real windows, with no chat client running.
#include "ControlIds.h"
#include "window/Geometry.h"
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <richedit.h>

#include <vector>

using namespace quillon;
using namespace uitest;

TEST(Form1Window, OpensWithItsDesignValues) {
    LoadedForm f;
    HWND form = f.Hwnd();
    ASSERT_TRUE(IsWindowVisible(form));
    EXPECT_EQ(Text(form), L"Form1");
    RECT r;
    GetWindowRect(form, &r);
    EXPECT_EQ(r.left, 146);
    EXPECT_EQ(r.top, 125);
    GetClientRect(form, &r);
    EXPECT_EQ(r.right, 401);
    EXPECT_EQ(r.bottom, 174);
    EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOPMOST);

    for (int column = 1; column <= 4; ++column)
        EXPECT_EQ(Swatch(form, column), 0) << "column " << column;
    for (int id : {IDC_CHECK1, IDC_CHECK2, IDC_CHECK3, IDC_CHECK4})
        EXPECT_EQ(SendMessageW(f.Item(id), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Text(f.Item(IDC_TEXT1)), L"type here");
    EXPECT_EQ(Text(f.Item(IDC_COMBO1)), L"Arial");
    EXPECT_EQ(GetScrollPos(f.Item(HScrollId(5)), SB_CTL), 1);
}

TEST(Form1Window, FontListHasEachScreenFontOnceInOrder) {
    LoadedForm f;
    HWND combo = f.Item(IDC_COMBO1);
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    ASSERT_GT(count, 1);
    std::wstring previous;
    for (int i = 0; i < count; ++i) {
        wchar_t face[LF_FACESIZE + 1]{};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
        EXPECT_LT(lstrcmpiW(previous.c_str(), face), 0) << "at " << i;
        previous = face;
    }
}

TEST(Form1Window, CornersAreCutAway) {
    LoadedForm f;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(f.Hwnd(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 400, 173));
    EXPECT_TRUE(PtInRegion(region, 200, 87));
    EXPECT_TRUE(PtInRegion(region, 200, 0));
    DeleteObject(region);

    POINT corner{146, 125}, inside{146 + 200, 125 + 87};
    EXPECT_EQ(SendMessageW(f.Hwnd(), WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTNOWHERE);
    EXPECT_EQ(SendMessageW(f.Hwnd(), WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
}

TEST(Form1Window, TabVisitsTheControlsInOrderAndSkipsLabels) {
    LoadedForm f;
    std::vector<int> expected{IDC_CHECK2, IDC_CHECK3, IDC_CHECK4};
    for (int n = 1; n <= 12; ++n)
        expected.push_back(HScrollId(n));
    expected.insert(expected.end(),
                    {IDC_TEXT1, IDC_COMBO1, IDC_COMMAND1, IDC_COMMAND2, IDC_CHECK1});

    SetFocus(f.Item(IDC_CHECK1));
    std::vector<int> visited;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_TRUE(IsDialogMessageW(f.Hwnd(), &tab));
        HWND focus = GetFocus();
        // The combo's focus sits in its edit child.
        if (GetParent(focus) != f.Hwnd())
            focus = GetParent(focus);
        visited.push_back(GetDlgCtrlID(focus));
    }
    EXPECT_EQ(visited, expected);
}

TEST(Form1Sliders, EachSliderMixesOnlyItsOwnColumn) {
    LoadedForm f;
    HWND form = f.Hwnd();
    Scroll(form, 1, SB_RIGHT); // red of COL 1; green and blue still stand at 1
    EXPECT_EQ(Swatch(form, 1), 255 + 256 + 65536);
    Scroll(form, 2, SB_LINELEFT);
    Scroll(form, 3, SB_PAGELEFT);
    EXPECT_EQ(Swatch(form, 1), 255);

    Scroll(form, 4, SB_LEFT);
    Scroll(form, 6, SB_LEFT);
    Scroll(form, 5, SB_THUMBTRACK, 128);
    EXPECT_EQ(Swatch(form, 2), 32768);
    EXPECT_EQ(Swatch(form, 1), 255);
    EXPECT_EQ(Swatch(form, 3), 0);
    EXPECT_EQ(Swatch(form, 4), 0);

    Scroll(form, 1, SB_LINERIGHT); // already at the top: stays
    EXPECT_EQ(GetScrollPos(f.Item(HScrollId(1)), SB_CTL), 255);
}

TEST(Form1Sliders, DragUpdatesTheSwatchAtEveryStep) {
    LoadedForm f;
    HWND form = f.Hwnd();
    for (int value : {10, 11, 200, 255}) {
        Scroll(form, 12, SB_THUMBTRACK, value);
        EXPECT_EQ(Swatch(form, 4), 1 + 256 + 65536 * value);
        EXPECT_EQ(GetScrollPos(f.Item(HScrollId(12)), SB_CTL), value);
    }
    Scroll(form, 12, SB_THUMBPOSITION, 255);
    Scroll(form, 12, SB_ENDSCROLL);
    EXPECT_EQ(Swatch(form, 4), 1 + 256 + 65536 * 255);
    EXPECT_EQ(Swatch(form, 3), 0);
}

// The line leaves the box at Send and comes back when it found no room, selected.
TEST(Form1Send, WithoutAChatRoomTheLineComesBack) {
    LoadedForm f;
    HWND text1 = f.Item(IDC_TEXT1);
    SetWindowTextW(text1, L"not lost");
    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([text1] { return Text(text1) == L"not lost"; }, 5000));
    DWORD from = 0, to = 0;
    SendMessageW(text1, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 8u);
}

// The text line's own font follows a pick from the list only; its characters show the face that
// Send names, which is also a name typed into the font box.
TEST(Form1Font, PickingAFontSetsTheLineFontTheCharactersShowTheFaceSendNames) {
    LoadedForm f;
    HWND text1 = f.Item(IDC_TEXT1);
    HWND combo = f.Item(IDC_COMBO1);
    auto ownFace = [&] {
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(text1, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        return std::wstring(format.szFaceName);
    };
    auto shownFaces = [&] {
        std::vector<std::wstring> faces;
        for (const CHARFORMAT2W& format : CharFormats(text1))
            faces.emplace_back(format.szFaceName);
        return faces;
    };
    auto all = [](const wchar_t* face) { return std::vector<std::wstring>(9, face); };
    EXPECT_EQ(ownFace(), L"Arial");
    EXPECT_EQ(shownFaces(), all(L"Arial")); // "type here"

    SetWindowTextW(combo, L"");
    TypeInto(FindWindowExW(combo, nullptr, L"Edit", nullptr), L"Typed Only");
    EXPECT_EQ(Text(combo), L"Typed Only");
    EXPECT_EQ(ownFace(), L"Arial");
    EXPECT_EQ(shownFaces(), all(L"Typed Only"));

    const int last = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)) - 1;
    wchar_t face[LF_FACESIZE + 1]{};
    SendMessageW(combo, CB_GETLBTEXT, last, reinterpret_cast<LPARAM>(face));
    SendMessageW(combo, CB_SETCURSEL, last, 0);
    SendMessageW(f.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_COMBO1, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(ownFace(), face);
    EXPECT_EQ(shownFaces(), all(face));
}

TEST(Form1Close, CloseMarkEndsTheProgramWithoutARoom) {
    LoadedForm f;
    HWND form = f.Hwnd();
    TakeQuit();
    LeftClick(f.Item(IDC_LABEL2));
    EXPECT_TRUE(PumpUntil([form] { return !IsWindow(form); }, 5000));
    EXPECT_TRUE(TakeQuit());
}

TEST(Form1Close, PressThatLeavesTheCloseMarkIsNoClick) {
    LoadedForm f;
    HWND label = f.Item(IDC_LABEL2);
    SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(60, 60));
    EXPECT_TRUE(IsWindow(f.Hwnd()));
}

TEST(Form2Window, SwapsWithForm1AndBringsItBackUnchanged) {
    LoadedForm f;
    HWND form = f.Hwnd();
    SetWindowTextW(f.Item(IDC_TEXT1), L"keep me");
    Check(form, IDC_CHECK3, true);
    Scroll(form, 8, SB_RIGHT);
    SetWindowPos(form, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const int colour = Swatch(form, 3);

    for (int round = 0; round < 2; ++round) {
        SendMessageW(f.Item(IDC_COMMAND2), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowVisible(form));
        HWND button = FindWindowW(kForm2Class, kForm2Caption);
        ASSERT_TRUE(button);
        EXPECT_TRUE(IsWindowVisible(button));
        EXPECT_TRUE(GetWindowLongPtrW(button, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT r;
        GetWindowRect(button, &r);
        EXPECT_EQ(r.left, CentredLeftPixels(GetSystemMetrics(SM_CXSCREEN), 1560, 96));
        EXPECT_EQ(r.top, 7);
        EXPECT_EQ(r.right - r.left, 104);
        EXPECT_EQ(r.bottom - r.top, 25);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(button, region), ERROR);
        EXPECT_FALSE(PtInRegion(region, 0, 0));
        EXPECT_FALSE(PtInRegion(region, 90, 12));
        EXPECT_TRUE(PtInRegion(region, 38, 12));
        DeleteObject(region);

        LeftClick(button, 38, 12);
        EXPECT_FALSE(IsWindow(button));
        EXPECT_TRUE(IsWindowVisible(form));
    }
    EXPECT_EQ(Text(f.Item(IDC_TEXT1)), L"keep me");
    EXPECT_EQ(SendMessageW(f.Item(IDC_CHECK3), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Swatch(form, 3), colour);
    RECT r;
    GetWindowRect(form, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200);
    EXPECT_FALSE(TakeQuit());
}

TEST(Form2Window, ClosingItOtherwiseAlsoBringsForm1Back) {
    LoadedForm f;
    SendMessageW(f.Item(IDC_COMMAND2), BM_CLICK, 0, 0);
    HWND button = FindWindowW(kForm2Class, nullptr);
    ASSERT_TRUE(button);
    SendMessageW(button, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(button));
    EXPECT_TRUE(IsWindowVisible(f.Hwnd()));
}

TEST(Form2Window, EndingTheProgramTakesTheButtonWithIt) {
    LoadedForm f;
    SendMessageW(f.Item(IDC_COMMAND2), BM_CLICK, 0, 0);
    HWND button = FindWindowW(kForm2Class, nullptr);
    ASSERT_TRUE(button);
    DestroyWindow(f.Hwnd());
    EXPECT_FALSE(IsWindow(button));
    EXPECT_TRUE(TakeQuit());
}
