#include "Preview.h"

#include "LookRtf.h"

#include <commctrl.h>
#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include <algorithm>
#include <cstring>

namespace quillon {

namespace {

// IID_ITextDocument: the import libraries do not carry it.
constexpr GUID kTextDocumentId{
    0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};
constexpr UINT_PTR kSubclassId = 1;

struct RtfSource {
    const std::string* rtf;
    std::size_t offset;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto* source = reinterpret_cast<RtfSource*>(cookie);
    const std::size_t n =
        std::min(static_cast<std::size_t>(size), source->rtf->size() - source->offset);
    std::memcpy(buffer, source->rtf->data() + source->offset, n);
    source->offset += n;
    *read = static_cast<LONG>(n);
    return 0;
}

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

CHARFORMAT2W EmptyFormat() {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    return format;
}

std::wstring TextOf(HWND edit) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)), L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(edit, text.data(), static_cast<int>(text.size()) + 1)));
    return text;
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
    // Only the stretch whose characters or look changed since the last look is formatted again:
    // under Wine every coloured run costs the control a measurement, and most runs stay.
    const std::size_t n = text.size();
    std::size_t from = 0, to = n;
    if (!stale_ && look.faces == shown_.faces) {
        const std::size_t old = shownText_.size();
        const std::size_t common = std::min(n, old);
        auto same = [&](std::size_t i, std::size_t j) {
            return text[i] == shownText_[j] && look.chars[i] == shown_.chars[j];
        };
        while (from < common && same(from, from))
            ++from;
        std::size_t tail = 0;
        while (tail < common - from && same(n - 1 - tail, old - 1 - tail))
            ++tail;
        to = n - tail;
    }
    shownText_ = text;
    shown_ = look;
    stale_ = false;
    if (from == to && !look.chars.empty())
        return; // removed characters only, or nothing changed

    CHARRANGE selection{};
    SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    long flags = 0;
    if (!selection_ || selection_->GetFlags(&flags) != S_OK)
        flags = 0;
    POINT scroll{};
    SendMessageW(edit_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    const LRESULT events = SendMessageW(edit_, EM_SETEVENTMASK, 0, 0);
    SendMessageW(edit_, WM_SETREDRAW, FALSE, 0);
    SuspendUndo(true);

    CHARFORMAT2W defaults = EmptyFormat();
    SendMessageW(edit_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&defaults));
    const auto differs =
        std::adjacent_find(look.chars.begin(), look.chars.end(), std::not_equal_to<CharLook>());
    if (differs == look.chars.end() || !RtfCarriesExactly(text)) {
        const CharLook all =
            differs == look.chars.end() && !look.chars.empty() ? look.chars[0] : CharLook{};
        FormatAll(all, look.faces.at(all.face), defaults.yHeight);
        if (differs != look.chars.end())
            shown_.chars.assign(n, all);
    } else {
        StreamIn(text, look, from, to, defaults.yHeight);
    }

    SuspendUndo(false);
    SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if ((flags & tomSelStartActive) && selection.cpMin < selection.cpMax)
        selection_->SetRange(selection.cpMax, selection.cpMin); // anchor, then the active end
    SendMessageW(edit_, WM_SETREDRAW, TRUE, 0); // may bring the caret into view: scroll after it
    SendMessageW(edit_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    InvalidateRect(edit_, nullptr, FALSE);
    SendMessageW(edit_, EM_SETEVENTMASK, 0, events);
}

void Preview::FormatAll(const CharLook& look, std::wstring_view face, LONG height) {
    CHARFORMAT2W format = EmptyFormat();
    format.dwMask = CFM_COLOR | CFM_BOLD | CFM_FACE | CFM_SIZE | CFM_ITALIC | CFM_UNDERLINE |
                    CFM_STRIKEOUT | CFM_HIDDEN | CFM_SUBSCRIPT | CFM_BACKCOLOR;
    format.dwEffects = CFE_AUTOBACKCOLOR | (look.bold ? CFE_BOLD : 0) |
                       (look.sub ? CFE_SUBSCRIPT : 0) | (look.sup ? CFE_SUPERSCRIPT : 0);
    format.crTextColor = look.colour;
    format.yHeight = height;
    face.copy(format.szFaceName, std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    SendMessageW(edit_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

void Preview::StreamIn(std::wstring_view text, const LineLook& look, std::size_t from,
                       std::size_t to, LONG height) {
    const std::string rtf = LookToRtf(text.substr(from, to - from),
                                      std::span(look.chars).subspan(from, to - from), look.faces);
    RtfSource source{&rtf, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadRtf};
    CHARRANGE changed{static_cast<LONG>(from), static_cast<LONG>(to)};
    SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&changed));
    SendMessageW(edit_, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));

    if (TextOf(edit_) != text) {
        // Not expected: put the user's characters back exactly, and show them plain.
        SetWindowTextW(edit_, std::wstring(text).c_str());
        FormatAll(CharLook{}, look.faces.front(), height);
        stale_ = true;
        return;
    }
    // The rich text carries no size: the text keeps the size it stood in, or gets the control's.
    SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&changed));
    CHARFORMAT2W size = EmptyFormat();
    SendMessageW(edit_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&size));
    if (!(size.dwMask & CFM_SIZE) || size.yHeight != height) {
        size = EmptyFormat();
        size.dwMask = CFM_SIZE;
        size.yHeight = height;
        SendMessageW(edit_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&size));
    }
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
