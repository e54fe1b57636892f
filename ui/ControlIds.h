// Control ids, window class names and captions of Quillon's windows. Plain on purpose (no
// windows.h), so programs that drive Quillon from outside can include it.
#pragma once

namespace quillon {

// Form1, in creation (= tab and z) order.
constexpr int IDC_LABEL1 = 1001; // title band: any mouse button drags the window
constexpr int IDC_LABEL2 = 1002; // close mark
constexpr int IDC_CHECK1 = 1011; // use colour 3
constexpr int IDC_CHECK2 = 1012; // use colour 4
constexpr int IDC_CHECK3 = 1013; // first letters bold
constexpr int IDC_CHECK4 = 1014; // whole line bold
constexpr int IDC_LABEL3 = 1023; // swatches Label3..Label6 are consecutive
constexpr int IDC_LABEL4 = 1024;
constexpr int IDC_LABEL5 = 1025;
constexpr int IDC_LABEL6 = 1026;
constexpr int IDC_HSCROLL1 = 1101; // HScroll1..HScroll12 are consecutive
constexpr int IDC_HSCROLL12 = 1112;
constexpr int IDC_TEXT1 = 1201;
constexpr int IDC_COMBO1 = 1202;
constexpr int IDC_COMMAND1 = 1203; // "Send", the default button
constexpr int IDC_COMMAND2 = 1204; // "m"

constexpr int HScrollId(int n) {
    return IDC_HSCROLL1 + n - 1;
} // n = 1..12
constexpr int SwatchId(int column) {
    return IDC_LABEL3 + column - 1;
} // column = 1..4

// A swatch keeps its packed colour (0x00BBGGRR) in its GWLP_USERDATA, readable from outside.

// Notification codes (HIWORD of WM_COMMAND) sent by the transparent labels.
constexpr int kLabelClick = 0;        // left button pressed and released over the label
constexpr int kLabelMouseDown = 0x10; // any mouse button went down over the label

constexpr wchar_t kForm1Class[] = L"QuillonForm1";
constexpr wchar_t kForm2Class[] = L"QuillonForm2";
constexpr wchar_t kLabelClass[] = L"QuillonLabel";
constexpr wchar_t kForm1Caption[] = L"Form1";
constexpr wchar_t kForm2Caption[] = L"Form2";

} // namespace quillon
