// Form1's life: loading, dragging, the font preview, and closing.
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

class InFlight {
  public:
    explicit InFlight(int& count) : count_(count) { ++count_; }
    ~InFlight() { --count_; }
    InFlight(const InFlight&) = delete;
    InFlight& operator=(const InFlight&) = delete;

  private:
    int& count_;
};

} // namespace

void Form1::Form_Load() {
    FormShaper1.Shape(hwnd_, L"111");
    Korvelix6o::StayOnTop(hwnd_);
    HWND combo = Control(IDC_COMBO1);
    for (const std::wstring& face : ScreenFontNames())
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));

    const std::u16string first = Announcement(kLoadedText);
    const std::u16string name = ToLower(Korvelix6o::GetUser());
    const std::u16string second = Announcement(LoadedByText(name));
    Post(first);
    Post(second);
}

void Form1::Label1_MouseDown() {
    Korvelix6o::FormDrag(hwnd_);
}

void Form1::Label2_Click() {
    if (closing_ || ended_)
        return;
    if (postsInFlight_ > 0) {
        // A post waits for the client; closing now would strand the user's draft that the
        // post puts back into the chat input once it returns.
        closeRequested_ = true;
        ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    CloseNow();
}

void Form1::CloseNow() {
    closing_ = true;
    Post(Announcement(kUnloadedText));
    PutBackHeldDrafts(); // the last chance: nobody offers them once we are gone
    EndProgram();
}

void Form1::EndProgram() {
    if (ended_)
        return;
    ended_ = true;
    if (form2_)
        DestroyWindow(form2_->Hwnd());
    if (hwnd_)
        DestroyWindow(hwnd_); // WM_DESTROY posts the quit message
}

bool Form1::Post(const std::u16string& line) {
    Korvelix6o::PostResult result;
    {
        InFlight guard(postsInFlight_);
        result = Korvelix6o::ChatSend(line);
    }
    if (!result.heldDraft.empty())
        HoldDraft(std::move(result.heldDraft));
    if (postsInFlight_ == 0 && closeRequested_ && !closing_)
        CloseNow();
    return result.taken;
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

} // namespace quillon
