#include "Preview.h"

#include "LookRtf.h"

#include <commctrl.h>
#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include <algorithm>

namespace quillon {

namespace {

// IID_ITextDocument: the import libraries do not carry it.
constexpr GUID kTextDocumentId{
    0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};
constexpr UINT_PTR kSubclassId = 1;

// Keys that a plain text box takes with Ctrl held: select all, clipboard, undo and redo, and
// moving or deleting by words.
bool IsTextBoxShortcut(WPARAM key) {
    switch (key) {
    case 'A':
    case 'C':
    case 'X':
    case 'Y':
    case 'Z':
    case VK_INSERT:
    case VK_BACK:
    case VK_DELETE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_CONTROL:
    case VK_SHIFT:
    case VK_TAB:
    case VK_RETURN:
        return true;
    default:
        return false;
    }
}

} // namespace

Preview::~Preview() {
    if (edit_)
        RemoveWindowSubclass(edit_, ControlProc, kSubclassId);
    Detach();
}

void Preview::Attach(HWND richEdit, int limit) {
    edit_ = richEdit;
    SendMessageW(edit_, EM_EXLIMITTEXT, 0, limit);
    SendMessageW(edit_, EM_SETEVENTMASK, 0, ENM_CHANGE);
    SetWindowSubclass(edit_, ControlProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    IRichEditOle* ole = nullptr;
    if (SendMessageW(edit_, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) && ole) {
        ole->QueryInterface(kTextDocumentId, reinterpret_cast<void**>(&document_));
        ole->Release();
    }
    if (document_ && document_->GetSelection(&selection_) != S_OK)
        selection_ = nullptr;
}

void Preview::Detach() {
    if (edit_)
        KillTimer(edit_, kIdleTimer);
    if (selection_)
        selection_->Release();
    if (document_)
        document_->Release();
    selection_ = nullptr;
    document_ = nullptr;
    edit_ = nullptr;
}

// Formatting is no edit of the user's: it stays out of the undo history. Wine honours this too.
bool Preview::SuspendUndo(bool suspend) {
    return document_ && SUCCEEDED(document_->Undo(suspend ? tomSuspend : tomResume, nullptr));
}

void Preview::SetFont(HFONT font, bool redraw) {
    if (!edit_)
        return;
    SuspendUndo(true);
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    SuspendUndo(false);
    stale_ = true; // every character now shows the font
}

void Preview::Show(std::wstring_view text, const LineLook& look) {
    if (!edit_ || composing_)
        return;
    Track(text, look);
    const std::vector<CharLook>& chars = wanted_.chars;
    const auto differs = std::adjacent_find(chars.begin(), chars.end(), std::not_equal_to<>());
    if (differs == chars.end() || !RtfCarriesExactly(text)) {
        // One look for the whole line, set in one go.
        KillTimer(edit_, kIdleTimer);
        const CharLook all = differs == chars.end() && !chars.empty() ? chars[0] : CharLook{};
        wanted_.chars.assign(chars.size(), all);
        if (Settled() && !chars.empty())
            return;
        const Untouched saved = BeginFormatting();
        FormatAll(all, saved.height);
        EndFormatting(saved);
        return;
    }
    // Under Wine every coloured run costs the control a measurement whenever it lays the line out
    // again: only what is in view is formatted now, and only what differs.
    const auto [first, last] = View();
    if (!std::equal(shows_.begin() + first, shows_.begin() + last, chars.begin() + first)) {
        const Untouched saved = BeginFormatting();
        FormatSpan(first, last, saved.height);
        EndFormatting(saved);
    }
    if (!Settled())
        SetTimer(edit_, kIdleTimer, USER_TIMER_MINIMUM, nullptr);
}

// Carries over what the characters that stayed show. Where the change is ambiguous, as with a
// character typed beside the same character, only what every reading of it agrees on is kept.
void Preview::Track(std::wstring_view text, const LineLook& look) {
    const std::size_t n = text.size(), old = text_.size();
    std::vector<CharLook> shows(n, kUnknown);
    if (!stale_ && look.faces == wanted_.faces) {
        if (text == text_) {
            shows = shows_;
        } else {
            const std::size_t common = std::min(n, old);
            const std::size_t head = static_cast<std::size_t>(
                std::mismatch(text.begin(), text.begin() + common, text_.begin()).first -
                text.begin());
            const std::size_t tail = static_cast<std::size_t>(
                std::mismatch(text.rbegin(), text.rbegin() + common, text_.rbegin()).first -
                text.rbegin());
            const std::size_t keepHead = std::min(head, common - tail);
            const std::size_t keepTail = std::min(tail, common - head);
            std::copy_n(shows_.begin(), keepHead, shows.begin());
            std::copy_n(shows_.end() - keepTail, keepTail, shows.end() - keepTail);
        }
    }
    text_ = text;
    wanted_ = look;
    shows_ = std::move(shows);
    stale_ = false;
}

void Preview::PastePlainText() {
    SendMessageW(edit_, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
}

LRESULT CALLBACK Preview::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) noexcept {
    auto* preview = reinterpret_cast<Preview*>(self);
    switch (message) {
    case WM_PASTE:
        preview->PastePlainText();
        return 0;
    case WM_TIMER:
        if (wParam != kIdleTimer)
            break;
        preview->FormatInIdleTurn();
        return 0;
    case WM_SETTEXT: // a line set whole: nothing of what showed stays
        KillTimer(window, kIdleTimer);
        preview->stale_ = true;
        break;
    case WM_SETFONT:
        preview->font_ = reinterpret_cast<HFONT>(wParam);
        break;
    case WM_GETFONT: // the rich edit answers none
        return reinterpret_cast<LRESULT>(preview->font_);
    case WM_GETDLGCODE: // as a single-line text box: Tab moves on, Enter presses Send
        return DefSubclassProc(window, message, wParam, lParam) &
               ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
    case WM_KEYDOWN: {
        const bool control = GetKeyState(VK_CONTROL) < 0;
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        const bool alt = GetKeyState(VK_MENU) < 0;
        if ((wParam == 'V' && control && !alt) ||
            (wParam == VK_INSERT && shift && !control && !alt)) {
            preview->PastePlainText();
            return 0;
        }
        if (control && !alt && !IsTextBoxShortcut(wParam))
            return 0; // the rich edit's own formatting keys (bold, size, alignment, ...)
        break;
    }
    case WM_IME_STARTCOMPOSITION:
        preview->composing_ = true;
        break;
    case WM_IME_ENDCOMPOSITION: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        preview->composing_ = false;
        SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), EN_CHANGE),
                     reinterpret_cast<LPARAM>(window));
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, ControlProc, kSubclassId);
        preview->Detach();
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace quillon
