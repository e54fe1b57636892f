#include "Preview.h"

#include "Caret.h"

#include "LookRtf.h"
#include "Spans.h"

#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include <algorithm>
#include <vector>

namespace quillon {

namespace {

// IID_ITextDocument: the import libraries do not carry it.
constexpr GUID kTextDocumentId{
    0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

// The previews of this thread's controls. A control's messages find their preview here rather than
// in a window property: under Wine every property read is a round trip to the server (80 us
// here), and a comctl32 subclass reads two for every message the control gets.
thread_local std::vector<Preview*> tPreviews;

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
    Detach();
}

void Preview::Attach(HWND richEdit, int limit) {
    edit_ = richEdit;
    SendMessageW(edit_, EM_EXLIMITTEXT, 0, limit);
    SendMessageW(edit_, EM_SETEVENTMASK, 0, ENM_CHANGE);
    tPreviews.push_back(this);
    controlProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc)));
    IRichEditOle* ole = nullptr;
    if (SendMessageW(edit_, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) && ole) {
        ole->QueryInterface(kTextDocumentId, reinterpret_cast<void**>(&document_));
        ole->Release();
    }
    if (document_ && document_->GetSelection(&selection_) != S_OK)
        selection_ = nullptr;
}

void Preview::Detach() {
    if (edit_) {
        KillTimer(edit_, kIdleTimer);
        // Only while nobody has subclassed the control after us: their chain leads here. If one
        // has, the control's messages go on to its own procedure, which is also its class's.
        if (GetWindowLongPtrW(edit_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ControlProc))
            SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc_));
    }
    std::erase(tPreviews, this);
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

void Preview::Show(std::u16string_view text, const LineLook& look) {
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
        const Formatting formatting(*this);
        FormatAll(all, formatting.Height());
        return;
    }
    // Under Wine every coloured run costs the control a measurement whenever it lays the line out
    // again: only what is in view is formatted now, and only what differs.
    const auto [first, last] = View();
    if (!std::equal(shows_.begin() + first, shows_.begin() + last, chars.begin() + first)) {
        const Formatting formatting(*this);
        FormatSpan(first, last, formatting.Height());
    }
    if (!Settled())
        SetTimer(edit_, kIdleTimer, USER_TIMER_MINIMUM, nullptr);
}

// Carries over what the characters that stayed show.
void Preview::Track(std::u16string_view text, const LineLook& look) {
    std::vector<CharLook> shows = !stale_ && look.faces == wanted_.faces
                                      ? CarryOver(text_, text, shows_, kUnknown)
                                      : std::vector<CharLook>(text.size(), kUnknown);
    text_ = text;
    wanted_ = look;
    shows_ = std::move(shows);
    stale_ = false;
}

// Nothing is known of what the control shows until the next line.
void Preview::Forget() {
    KillTimer(edit_, kIdleTimer);
    text_.clear();
    wanted_.chars.clear();
    shows_.clear();
    stale_ = true;
}

void Preview::PastePlainText() {
    SendMessageW(edit_, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
}

LRESULT CALLBACK Preview::ControlProc(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
    const auto found = std::find_if(tPreviews.begin(), tPreviews.end(),
                                    [window](const Preview* p) { return p->edit_ == window; });
    if (found != tPreviews.end())
        return (*found)->HandleMessage(window, message, wParam, lParam);
    const auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
    return CallWindowProcW(own, window, message, wParam, lParam);
}

void Preview::KeepClustersWhole(bool forward) {
    CHARRANGE range{};
    SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    const int length = GetWindowTextLengthW(edit_);
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    GetWindowTextW(edit_, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    const auto at = [&](LONG cp) { return static_cast<std::size_t>(std::max<LONG>(cp, 0)); };
    CHARRANGE whole = range;
    if (range.cpMin == range.cpMax) {
        const std::size_t p = at(range.cpMin);
        whole.cpMin = whole.cpMax = static_cast<LONG>(
            forward ? ClusterBoundaryAfter(text, p) : ClusterBoundaryBefore(text, p));
    } else {
        whole.cpMin = static_cast<LONG>(ClusterBoundaryBefore(text, at(range.cpMin)));
        whole.cpMax = static_cast<LONG>(ClusterBoundaryAfter(text, at(range.cpMax)));
    }
    if (whole.cpMin != range.cpMin || whole.cpMax != range.cpMax)
        SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&whole));
}

LRESULT Preview::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PASTE:
        PastePlainText();
        return 0;
    case WM_TIMER:
        if (wParam != kIdleTimer)
            break;
        try {
            FormatInIdleTurn();
        } catch (...) {
            Forget(); // the control is as the user left it; the look waits for the next line
        }
        return 0;
    case WM_SETTEXT: // a line set whole: nothing of what showed stays
        KillTimer(window, kIdleTimer);
        stale_ = true;
        break;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        break;
    case WM_GETFONT: // the rich edit answers none
        return reinterpret_cast<LRESULT>(font_);
    case WM_GETDLGCODE: // as a single-line text box: Tab moves on, Enter presses Send
        return CallWindowProcW(controlProc_, window, message, wParam, lParam) &
               ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
    case WM_KEYDOWN: {
        const bool control = GetKeyState(VK_CONTROL) < 0;
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        const bool alt = GetKeyState(VK_MENU) < 0;
        if ((wParam == 'V' && control && !alt) ||
            (wParam == VK_INSERT && shift && !control && !alt)) {
            PastePlainText();
            return 0;
        }
        if (control && !alt && !IsTextBoxShortcut(wParam))
            return 0; // the rich edit's own formatting keys (bold, size, alignment, ...)
        if (wParam == VK_LEFT || wParam == VK_RIGHT) {
            // The rich edit may step one 16-bit unit at a time (Wine's does).
            const LRESULT result = CallWindowProcW(controlProc_, window, message, wParam, lParam);
            KeepClustersWhole(wParam == VK_RIGHT);
            return result;
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: {
        const LRESULT result = CallWindowProcW(controlProc_, window, message, wParam, lParam);
        if (message != WM_MOUSEMOVE || (wParam & MK_LBUTTON))
            KeepClustersWhole(false);
        return result;
    }
    case WM_IME_STARTCOMPOSITION:
        composing_ = true;
        break;
    case WM_IME_ENDCOMPOSITION: {
        const LRESULT result = CallWindowProcW(controlProc_, window, message, wParam, lParam);
        composing_ = false;
        SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), EN_CHANGE),
                     reinterpret_cast<LPARAM>(window));
        return result;
    }
    case WM_NCDESTROY: {
        const WNDPROC own = controlProc_;
        Detach();
        return CallWindowProcW(own, window, message, wParam, lParam);
    }
    }
    return CallWindowProcW(controlProc_, window, message, wParam, lParam);
}

} // namespace quillon
