#include "Form1Layout.h"

#include "ControlIds.h"

#include <richedit.h>

#include <array>

namespace quillon {

namespace {

constexpr DWORD kCheck = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kSlider = WS_TABSTOP | SBS_HORZ;
constexpr DWORD kSwatch = SS_LEFT | SS_NOTIFY; // a click picks its colour
constexpr DWORD kCommand = WS_TABSTOP | BS_OWNERDRAW;

// clang-format off
constexpr std::array kControls{
    ControlSpec{L"Label1",    kLabelClass, {135, 105, 5460, 315},   0,       0, L"", IDC_LABEL1},
    ControlSpec{L"Label2",    kLabelClass, {5685, 90, 285, 300},    0,       0, L"", IDC_LABEL2},
    ControlSpec{L"Check1",    L"Button",   {3000, 600, 195, 195},   kCheck,  0, L"Check1", IDC_CHECK1},
    ControlSpec{L"Check2",    L"Button",   {4395, 585, 195, 195},   kCheck,  0, L"Check1", IDC_CHECK2},
    ControlSpec{L"Check3",    L"Button",   {4545, 1995, 195, 195},  kCheck,  0, L"Check1", IDC_CHECK3},
    ControlSpec{L"Check4",    L"Button",   {4545, 2235, 195, 195},  kCheck,  0, L"Check1", IDC_CHECK4},
    ControlSpec{L"Label3",    L"Static",   {285, 870, 1035, 195},   kSwatch, 0, L"", IDC_LABEL3},
    ControlSpec{L"HScroll1",  L"ScrollBar", {285, 1155, 1050, 120}, kSlider, 0, L"", HScrollId(1)},
    ControlSpec{L"HScroll2",  L"ScrollBar", {285, 1335, 1050, 120}, kSlider, 0, L"", HScrollId(2)},
    ControlSpec{L"HScroll3",  L"ScrollBar", {285, 1515, 1050, 120}, kSlider, 0, L"", HScrollId(3)},
    ControlSpec{L"Label4",    L"Static",   {1740, 885, 1035, 195},  kSwatch, 0, L"", IDC_LABEL4},
    ControlSpec{L"HScroll4",  L"ScrollBar", {1740, 1170, 1050, 120}, kSlider, 0, L"", HScrollId(4)},
    ControlSpec{L"HScroll5",  L"ScrollBar", {1740, 1350, 1050, 120}, kSlider, 0, L"", HScrollId(5)},
    ControlSpec{L"HScroll6",  L"ScrollBar", {1740, 1530, 1050, 120}, kSlider, 0, L"", HScrollId(6)},
    ControlSpec{L"Label5",    L"Static",   {3150, 900, 1035, 195},  kSwatch, 0, L"", IDC_LABEL5},
    ControlSpec{L"HScroll7",  L"ScrollBar", {3150, 1185, 1050, 120}, kSlider, 0, L"", HScrollId(7)},
    ControlSpec{L"HScroll8",  L"ScrollBar", {3150, 1365, 1050, 120}, kSlider, 0, L"", HScrollId(8)},
    ControlSpec{L"HScroll9",  L"ScrollBar", {3150, 1545, 1050, 120}, kSlider, 0, L"", HScrollId(9)},
    ControlSpec{L"Label6",    L"Static",   {4560, 915, 1035, 195},  kSwatch, 0, L"", IDC_LABEL6},
    ControlSpec{L"HScroll10", L"ScrollBar", {4560, 1200, 1050, 120}, kSlider, 0, L"", HScrollId(10)},
    ControlSpec{L"HScroll11", L"ScrollBar", {4560, 1380, 1050, 120}, kSlider, 0, L"", HScrollId(11)},
    ControlSpec{L"HScroll12", L"ScrollBar", {4560, 1560, 1050, 120}, kSlider, 0, L"", HScrollId(12)},
    ControlSpec{L"Text1",     MSFTEDIT_CLASS, {300, 2100, 3345, 285}, WS_TABSTOP | ES_AUTOHSCROLL,
                WS_EX_CLIENTEDGE, L"type here", IDC_TEXT1},
    ControlSpec{L"Combo1",    L"ComboBox", {300, 1740, 1215, 315},
                WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL, 0, L"Arial",
                IDC_COMBO1},
    ControlSpec{L"Command1",  L"Button",   {3705, 2085, 705, 315},  kCommand, 0, L"Send", IDC_COMMAND1},
    ControlSpec{L"Command2",  L"Button",   {1605, 1800, 255, 210},  kCommand, 0, L"m", IDC_COMMAND2},
};
// clang-format on

constexpr std::array kShapes{
    ShapeSpec{L"111", ShapeKind::RoundRect, {0, 0, 6015, 2625}},
};

} // namespace

std::span<const ControlSpec> Form1Controls() {
    return kControls;
}
const ControlSpec& Form1Control(int id) {
    for (const ControlSpec& c : kControls)
        if (c.id == id)
            return c;
    return kControls.front();
}

std::span<const ShapeSpec> Form1Shapes() {
    return kShapes;
}

} // namespace quillon
