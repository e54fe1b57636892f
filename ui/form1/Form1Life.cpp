// Form1's life: loading, dragging, the font pick and the floating button.
#include "Form1.h"

#include "ControlIds.h"
#include "Korvelix6o.h"
#include "SendAction.h"
#include "window/Text.h"

#include <set>

namespace quillon {

namespace {

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    reinterpret_cast<std::set<std::wstring>*>(faces)->insert(font->lfFaceName);
    return 1;
}

// One entry per face name: the enumeration reports a face once per character set.
std::set<std::wstring> ScreenFontNames() {
    std::set<std::wstring> faces;
    WindowDC screen(nullptr);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &all, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    return faces;
}

std::u16string ToLower(std::u16string text) {
    std::wstring wide = ToWide(text);
    if (!wide.empty())
        CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return ToU16(wide);
}

} // namespace

void Form1::Form_Load() {
    FormShaper1.Shape(hwnd_, L"111", Dpi());
    Korvelix6o::StayOnTop(hwnd_);
    HWND combo = Control(IDC_COMBO1);
    for (const std::wstring& face : ScreenFontNames())
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    LoadFades(); // the start fade, once the font list can take its font

    const std::u16string first = Announcement(kLoadedText);
    const std::u16string name = ToLower(Korvelix6o::GetUser());
    const std::u16string second = Announcement(LoadedByText(name));
    startLinesLeft_ = 2;
    poster_->Send(first);
    poster_->Send(second);
}

void Form1::Label1_MouseDown() {
    Korvelix6o::FormDrag(hwnd_);
}

void Form1::Combo1_Click() {
    HWND combo = Control(IDC_COMBO1);
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return;
    // The edit part still shows the previous text at CBN_SELCHANGE; the list has the pick.
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return;
    std::wstring face(static_cast<std::size_t>(length), L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(face.data()));

    Font picked = PointFont(face);
    if (!picked)
        return;
    preview_.SetFont(picked.get(), true);
    text1Font_ = std::move(picked); // the old font is deleted only after Text1 let go of it
    text1Face_ = std::move(face);
    RefreshPreview(ToU16(text1Face_)); // the font box shows the pick only after this notification
}

void Form1::Command2_Click() {
    ShowWindow(hwnd_, SW_HIDE);
    if (!form2_)
        form2_ = Form2::Show(instance_, [this] { Form2_Unloaded(); });
}

void Form1::Form2_Unloaded() {
    form2_ = nullptr;
    if (ended_ || closing_)
        return;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

} // namespace quillon
