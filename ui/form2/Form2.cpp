#include "Form2.h"

#include "window/ArtBitmaps.h"
#include "ControlIds.h"
#include "Form2Layout.h"
#include "Korvelix6o.h"

namespace quillon {

Form2::Form2(HINSTANCE instance, std::function<void()> unloaded)
    : SkinnedForm(Form2Shapes()), instance_(instance), unloaded_(std::move(unloaded)) {}

Form2* Form2::Show(HINSTANCE instance, std::function<void()> unloaded) {
    Register(instance, kForm2Class, nullptr);
    auto* form = new Form2(instance, std::move(unloaded));
    const Box guess = TwipsToPixels(kForm2Twips, kDesignDpi);
    const Box px = TwipsToPixels(kForm2Twips, DpiAt({guess.left, guess.top}));
    const RECT bounds{px.left, px.top, px.left + px.width, px.top + px.height};
    if (!form->Create(instance, kForm2Class, kForm2Caption, WS_POPUP, 0, bounds)) {
        delete form;
        return nullptr;
    }
    form->Form_Load();
    ShowWindow(form->hwnd_, SW_SHOW);
    UpdateWindow(form->hwnd_);
    return form;
}

void Form2::Form_Load() {
    SetDpi(WindowDpi(hwnd_));
    ApplyDpi();
    FormShaper1.Shape(hwnd_, L"121", Dpi());
    Korvelix6o::StayOnTop(hwnd_);
    const int dpi = Dpi();
    const Box px = TwipsToPixels(kForm2Twips, dpi);
    const int top = TwipsToPixels(kForm2TopTwips, dpi);
    const int left = CentredLeftPixels(GetSystemMetrics(SM_CXSCREEN), kForm2Twips.width, dpi);
    SetWindowPos(hwnd_, nullptr, left, top, px.width, px.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form2::ApplyDpi() {
    picture_ = ButtonPictureBitmap(Dpi());
}

Box Form2::ClientTwips() const {
    return kForm2Twips;
}

void Form2::Form_Click() {
    DestroyWindow(hwnd_); // WM_DESTROY tells Form1, which shows itself again
}

void Form2::PaintContent(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawBitmap(dc, picture_.get(), 0, 0);
}

LRESULT Form2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; HandleFaceMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(hwnd_);
        return 0;
    case WM_LBUTTONUP: {
        if (!pressed_)
            return 0;
        pressed_ = false;
        ReleaseCapture();
        RECT client;
        GetClientRect(hwnd_, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, at))
            Form_Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    case WM_DESTROY:
        if (unloaded_)
            unloaded_();
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace quillon
