// Form1, the main window: skin, controls, and the handlers named after control and event.
#pragma once

#include "FadeMenu.h"
#include "FadeStore.h"
#include "SendAction.h"
#include "StoreWorker.h"
#include "WendrikFaderV2.h"
#include "form2/Form2.h"
#include "posting/LinesInDoubt.h"
#include "posting/Poster.h"
#include "preview/Preview.h"
#include "window/Dpi.h"
#include "window/Gdi.h"
#include "window/Notice.h"
#include "window/SkinnedForm.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace quillon {

std::u16string WindowText(HWND window);

class Form1 : public SkinnedForm {
  public:
    explicit Form1(HINSTANCE instance);
    ~Form1() override;

    // The keys the window takes before its controls: Alt+F4 as the close mark, then the dialog
    // keys (Tab, Enter for Send). True when the message was used.
    bool PreTranslate(MSG& message);

    // Creates the window hidden and runs Form_Load; the window shows once the start-up lines are
    // posted. False if no window came up.
    bool Load();

    // Form1's keys (Ctrl+S) for a message of the loop, before the dialog keys; true if taken.
    bool TranslateKeys(MSG& msg);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void PaintContent(HDC dc) override;
    Box ClientTwips() const override;

    // Display scale (Form1Dpi.cpp): art, fonts, layout and icons for the window's DPI.
    void ApplyDpi() override;
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

    // Loading, dragging, the font pick and the floating button (Form1Life.cpp).
    void Form_Load();
    void Label1_MouseDown();
    void Combo1_Click();
    void Command2_Click();
    void Form2_Unloaded();

    // Send and every way of ending (Form1Posting.cpp). The posts run on the poster's thread;
    // kPostsNews tells this window what became of them.
    static constexpr UINT kPostsNews = WM_APP + 1;
    static constexpr UINT_PTR kSendLookTimer = 1;
    void StartPosting();
    void Command1_Click();
    bool SendAgain(const std::u16string& line); // false: keep it
    void OnPostsNews();
    std::wstring TakeBackWhatWent(Poster::LineId id);
    void ShowSendBusy(); // Send shows a line on its way for more than a moment, and the queue
    void GiveBackLine(const std::u16string& line);
    void Label2_Click();
    void BeginClose(std::optional<std::u16string> goodbye);
    void FinishClose();
    void OnSessionEnd();
    void EndProgram();
    void TearDown();

    // What one press of Send reads from the window, and the text line's preview of the line
    // Send would post now (Form1Inputs.cpp). font: the face picked in the list, before the font
    // box shows it.
    SendInputs ReadSendInputs() const;
    void RefreshPreview(std::optional<std::u16string> font = std::nullopt);

    // Fades: the menu, saving and the start fade (Form1Fades.cpp). The file is read in
    // Form_Load; nothing is written unless the user saves, deletes or changes the start fade.
    // The changes are made on the store worker's thread; kFadesNews tells this window that a
    // result waits, and kFadesNewsTimer looks again for one that came inside a modal loop.
    static constexpr UINT kShowFadesNotice = WM_APP + 18;
    static constexpr UINT kFadesNews = WM_APP + 19;
    static constexpr UINT_PTR kFadesNewsTimer = 2;
    void LoadFades();
    void OnContextMenu(HWND from, LPARAM where);
    void OnMenuCommand(int id);
    void ChooseFade(const std::u16string& name);
    void ApplyLook(const fades::Look& look);
    void SetFontBox(const std::u16string& font);
    std::optional<fades::Fade> CurrentFade() const; // nothing when the check boxes ask for none
    std::optional<std::u16string> NameShowing(const fades::Fade& shown) const;
    void SaveFade(bool thenStart);
    void AskNameAndSave(fades::Fade fade, const std::u16string& suggestion, bool thenStart);
    void StartWithThisFade();
    void DeleteFade(const std::u16string& name);
    void ChangeFades(fades::StoreWorker::Job job);
    bool FadesStillWanted() const; // after a modal loop: the window, no end, the store
    void OnFadesNews();
    void FinishFadeChange(fades::StoreWorker::Done& done);
    bool Took(const fades::Update& update);
    void TellAboutFades(const std::u16string& text);
    void ShowPendingNotice();

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

    Notice notice_; // the balloon at the text line
    HACCEL keys_ = nullptr;
    std::optional<fades::FadeStore> fadeStore_; // nothing where there is no folder for it
    std::unique_ptr<fades::StoreWorker> fadeWorker_; // with fadeStore_, until the teardown
    fades::FadeBook fades_;                     // as the file held them at the last read or write
    // One change at a time: from the first question to its last result, others are refused.
    bool fadeAsking_ = false;   // a name or a question about a change is being asked
    bool fadeChanging_ = false; // a change is with the worker and its result not yet taken
    bool inFadeMenu_ = false;   // the fades menu is open: results wait for it to close
    FadeMenu fadeMenu_;
    std::u16string chosenFade_;    // the fade last chosen or saved
    std::u16string pendingNotice_; // told once the window shows

    std::unique_ptr<Poster> poster_;
    int startLinesLeft_ = 0; // the window shows once they are done
    DWORD busySince_ = 0;    // tick count of the press that made the poster busy
    std::size_t heldDrafts_ = 0; // as last told, to tell a newly held one
    LinesInDoubt doubts_;        // lines given back that may have reached the room
    std::u16string text1Given_;  // Text1 as it was left by the last line given back
    int linesInHand_ = 0;        // Sends holding their line out of Text1 while a box is open
    bool closing_ = false; // an end was asked for: the window is hidden, the posts finish
    bool keptOnClose_ = false;   // something came back during the end: the window stays
    bool saidGoodbye_ = false;   // the goodbye line goes once
    bool sessionEnding_ = false; // Windows ends the session: nothing can stay
    bool ended_ = false;   // torn down
};

} // namespace quillon
