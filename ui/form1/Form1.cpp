#include "Form1.h"

#include "window/ButtonFace.h"
#include "ControlIds.h"
#include "Form1Layout.h"
#include "Sliders.h"
#include "window/TransparentLabel.h"
#include "resource.h"

#include <commctrl.h>

namespace quillon {

Form1::Form1(HINSTANCE instance) : SkinnedForm(Form1Shapes()), instance_(instance) {}

Form1::~Form1() {
    TearDown();
}

bool Form1::Load() {
    // Text1's rich edit class; kept loaded for the life of the process.
    static const HMODULE richEdit = LoadLibraryW(L"Msftedit.dll");
    if (!richEdit)
        return false;
    Register(instance_, kForm1Class, LoadIconW(instance_, MAKEINTRESOURCEW(IDI_QUILLON)));
    RegisterTransparentLabel(instance_);
    // Sized for the monitor at the design position; WM_CREATE takes the window's own DPI.
    const Box guess = TwipsToPixels(kForm1Twips, kDesignDpi);
    SetDpi(DpiAt({guess.left, guess.top}));
    const Box px = TwipsToPixels(kForm1Twips, Dpi());
    const RECT bounds{px.left, px.top, px.left + px.width, px.top + px.height};
    if (!Create(instance_, kForm1Class, kForm1Caption, WS_POPUP | WS_CLIPCHILDREN,
                WS_EX_CONTROLPARENT, bounds))
        return false;
    if (const Box size = TwipsToPixels(kForm1Twips, Dpi()); size != px)
        SetWindowPos(hwnd_, nullptr, 0, 0, size.width, size.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The window shows once the start-up lines have been posted (OnPostsNews).
    Form_Load();
    return hwnd_ != nullptr;
}

void Form1::CreateControls() {
    SetDpi(WindowDpi(hwnd_));
    // Placed, given their fonts and the art by ApplyDpi.
    for (const ControlSpec& c : Form1Controls())
        CreateWindowExW(c.exStyle, c.className, c.caption, WS_CHILD | WS_VISIBLE | c.style, 0, 0, 0,
                        0, hwnd_, reinterpret_cast<HMENU>(INT_PTR(c.id)), instance_, nullptr);
    preview_.Attach(Control(IDC_TEXT1), kText1Limit);
    notice_.Attach(hwnd_);
    keys_ = LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(IDA_FORM1));
    StartPosting();
    ApplyDpi();
    SetWindowTextW(Control(IDC_COMBO1), L"Arial");

    for (int n = 1; n <= kSliderCount; ++n) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
        info.nMin = kSliderMin;
        info.nMax = kSliderMax;
        info.nPos = kSliderStart;
        SetScrollInfo(Control(HScrollId(n)), SB_CTL, &info, FALSE);
    }
    for (int column = 1; column <= kColumnCount; ++column)
        SetSwatchColour(column, 0); // black, without an update step
    RefreshPreview();
}

void Form1::PaintContent(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE)); // the column right of the skin
    DrawBitmap(dc, skin_.get(), 0, 0);
    if (const ShapeSpec* shape = FormShaper1.Current())
        DrawShapeOutline(dc, *shape, Dpi());
}

Box Form1::ClientTwips() const {
    return kForm1Twips;
}

int Form1::CheckValue(int id) const {
    return static_cast<int>(SendMessageW(Control(id), BM_GETCHECK, 0, 0));
}

LRESULT Form1::OnControlColour(UINT message, HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id >= IDC_LABEL3 && id <= IDC_LABEL6)
        return reinterpret_cast<LRESULT>(swatchBrushes_[id - IDC_LABEL3].get());
    if (id >= IDC_CHECK1 && id <= IDC_CHECK4 && skinBrush_) {
        // The check boxes show the skin behind them: align the pattern with the form.
        POINT origin{0, 0};
        MapWindowPoints(control, hwnd_, &origin, 1);
        SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(skinBrush_.get());
    }
    return DefWindowProcW(hwnd_, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
}

LRESULT Form1::OnCommand(int id, int code) {
    if (id >= IDC_LABEL3 && id <= IDC_LABEL6 && code == STN_CLICKED) {
        Label_Click(id - IDC_LABEL3 + 3);
        return 0;
    }
    if (id >= IDC_CHECK1 && id <= IDC_CHECK4 && code == BN_CLICKED) {
        RefreshPreview();
        return 0;
    }
    switch (id) {
    case IDC_LABEL1:
        if (code == kLabelMouseDown)
            Label1_MouseDown();
        break;
    case IDC_LABEL2:
        if (code == kLabelClick)
            Label2_Click();
        break;
    case IDC_COMBO1:
        if (code == CBN_SELCHANGE)
            Combo1_Click();
        else if (code == CBN_EDITCHANGE) // a typed name is the face Send names
            RefreshPreview();
        break;
    case IDC_TEXT1:
        if (code == EN_CHANGE) {
            notice_.Hide(); // the user has moved on
            RefreshPreview();
        }
        break;
    case IDC_COMMAND1:
        if (code == BN_CLICKED) {
            notice_.Hide();
            Command1_Click();
        }
        break;
    case IDC_COMMAND2:
        if (code == BN_CLICKED)
            Command2_Click();
        break;
    }
    return 0;
}

// Keeps the keyboard focus on a control across deactivation, as a dialog does.
void Form1::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus))
            lastFocus_ = focus;
        return;
    }
    if (!lastFocus_ || !IsWindow(lastFocus_))
        lastFocus_ = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (lastFocus_)
        SetFocus(lastFocus_);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; HandleFaceMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_CREATE:
        CreateControls();
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnControlColour(message, reinterpret_cast<HDC>(wParam),
                               reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        DrawButtonFace(item,
                       reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
        return TRUE;
    }
    case WM_COMMAND:
        if (lParam) // from a control
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        // A menu or Ctrl+S; IsDialogMessage's IDOK and IDCANCEL mean nothing here.
        OnMenuCommand(LOWORD(wParam));
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam)
            notice_.Hide();
        else if (!pendingNotice_.empty()) // shown once the window is on the screen
            PostMessageW(hwnd_, kShowFadesNotice, 0, 0);
        break;
    case WM_MOVE: // the balloon would point at where the window was
        notice_.Hide();
        break;
    case kShowFadesNotice:
        ShowPendingNotice();
        return 0;
    case kFadesNews:
        OnFadesNews();
        return 0;
    case DM_GETDEFID:
        return MAKELONG(IDC_COMMAND1, DC_HASDEFID);
    case WM_HSCROLL:
        if (lParam)
            OnHScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CLOSE: // from outside: the taskbar, another program
        BeginClose(std::nullopt);
        return 0;
    case WM_QUERYENDSESSION: // never holds up the sign-out; the end begins at once
        BeginClose(std::nullopt);
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            OnSessionEnd();
        return 0;
    case kPostsNews:
        OnPostsNews();
        return 0;
    case WM_TIMER:
        if (wParam == kSendLookTimer) {
            ShowSendBusy();
            return 0;
        }
        if (wParam == kFadesNewsTimer) {
            OnFadesNews();
            return 0;
        }
        break;
    case WM_DESTROY:
        // However the window goes, the program goes with it.
        notice_.Hide();
        TearDown();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace quillon
