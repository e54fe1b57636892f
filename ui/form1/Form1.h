// Form1, the main window: skin, controls, and the handlers named after control and event.
#pragma once

#include "window/Dpi.h"
#include "form2/Form2.h"
#include "window/Gdi.h"
#include "preview/Preview.h"
#include "SendAction.h"
#include "window/SkinnedForm.h"
#include "WendrikFaderV2.h"

#include <array>
#include <deque>
#include <optional>
#include <string>

namespace quillon {

class Form1 : public SkinnedForm {
  public:
    explicit Form1(HINSTANCE instance);
    ~Form1() override;

    // Creates the window hidden, runs Form_Load, then shows it. False if no window came up.
    bool Load();

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void PaintContent(HDC dc) override;
    Box ClientTwips() const override;

    // Display scale (Form1Dpi.cpp): art, fonts, layout and outline for the window's DPI.
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;
    void ApplyDpi(UINT dpi);
    void LayOutControls(UINT flags);
    void FitCombo1();
    void SetIcons();
    Font PointFont(const std::wstring& face) const; // 8.25 pt at the window's DPI
    LRESULT OnCommand(int id, int code);
    LRESULT OnControlColour(UINT message, HDC dc, HWND control);
    void OnHScroll(HWND bar, int code, int thumb); // thumb: the 16-bit position, enough for 0..255
    void OnActivate(bool active);
    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
    int CheckValue(int id) const;

    // Life cycle (Form1Life.cpp).
    void Form_Load();
    void Label1_MouseDown();
    void Label2_Click();
    void Combo1_Click();
    void CloseNow();
    void EndProgram();
    bool Post(const std::u16string& line);

    // Drafts a post could not put back into the chat input (Form1HeldDrafts.cpp).
    void HoldDraft(std::u16string draft);
    void OnDraftTimer();
    void PutBackHeldDrafts();

    // Send (Form1Send.cpp).
    void Command1_Click();
    SendInputs ReadSendInputs() const; // everything one press of Send reads from the window

    // The text line shows the line as the chat room will show what Send would post now
    // (Form1Preview.cpp). font: the face picked in the list, before the font box shows it.
    void RefreshPreview(std::optional<std::u16string> font = std::nullopt);

    // Floating button (Form1Send.cpp keeps it beside Send: both are the lower buttons).
    void Command2_Click();
    void Form2_Unloaded();

    // Sliders (Form1Sliders.cpp). HScroll_Change(n) and HScroll_Scroll(n) are the handlers
    // HScroll1_Change..HScroll12_Change and HScroll1_Scroll..HScroll12_Scroll, n = 1..12.
    void HScroll_Change(int n);
    void HScroll_Scroll(int n);
    void UpdateColumn(int column);
    void SetSwatchColour(int column, WendrikFaderV2::Colour colour);
    WendrikFaderV2::Colour SwatchColour(int column) const;
    // Label_Click(n) is Label3_Click..Label6_Click, n = 3..6: a click on a swatch picks its colour.
    void Label_Click(int n);

    HINSTANCE instance_;
    UINT dpi_ = kDesignDpi;
    // Made once per DPI; the previous ones go only after the controls let go of them.
    Bitmap skin_;
    Brush skinBrush_; // the skin as a pattern, behind the check boxes
    std::array<Brush, 4> swatchBrushes_;
    std::wstring text1Face_ = L"Arial"; // the preview face keeps its point size at any DPI
    Font text1Font_;
    Font controlFont_; // Tahoma 8.25 pt: the buttons, the font box and the check boxes
    Icon bigIcon_, smallIcon_;
    Preview preview_; // Text1
    HWND lastFocus_ = nullptr;
    Form2* form2_ = nullptr; // owns itself; gone once unloaded

    // A close-mark click during a post is held until the outermost post returns.
    int postsInFlight_ = 0;
    bool closeRequested_ = false;
    bool closing_ = false;
    bool ended_ = false;

    // In the order they were held; offered again from a timer, newest first, until the
    // client's input takes them.
    static constexpr UINT_PTR kHeldDraftTimer = 1;
    std::deque<std::u16string> heldDrafts_;
    bool puttingBack_ = false;
};

} // namespace quillon
