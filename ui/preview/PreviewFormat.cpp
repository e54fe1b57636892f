// Formatting the text line: what is in view at once, the rest in idle turns, each stretch as one
// insertion of rich text, and none of it seen by the user as an edit.
#include "Preview.h"

#include "LookRtf.h"
#include "RtfStream.h"
#include "Spans.h"
#include "window/Text.h"

#include <richedit.h>
#include <tom.h>

#include <algorithm>
#include <chrono>
#include <tuple>

namespace quillon {

namespace {

// Characters formatted at once beyond either edge of the view: a part-shown character counts.
constexpr std::size_t kViewMargin = 4;
// Characters formatted together in an idle turn, and how long an idle turn goes on while no input
// waits: each insertion costs the control a layout of the whole line.
constexpr std::size_t kIdleStretch = 400;
constexpr auto kIdleTurn = std::chrono::milliseconds(8);

CHARFORMAT2W EmptyFormat() {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    return format;
}

// Whether the control holds `text` whole and characters [from, to) of it as they are there.
bool Holds(HWND edit, std::u16string_view text, std::size_t from, std::size_t to) {
    if (static_cast<std::size_t>(GetWindowTextLengthW(edit)) != text.size())
        return false;
    std::wstring range(to - from, L'\0');
    TEXTRANGEW request{{static_cast<LONG>(from), static_cast<LONG>(to)}, range.data()};
    range.resize(static_cast<std::size_t>(
        SendMessageW(edit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request))));
    const std::u16string_view part = text.substr(from, to - from);
    return std::equal(range.begin(), range.end(), part.begin(), part.end());
}

void ScrollTo(HWND edit, POINT to) {
    POINT now{};
    SendMessageW(edit, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&now));
    if (now.x != to.x || now.y != to.y)
        SendMessageW(edit, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&to));
}

// Characters of the scripts written right to left, which put a line's characters out of order.
bool WritesRightToLeft(char16_t c) {
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) ||
           (c >= 0xFE70 && c <= 0xFEFF);
}

LONG LeftEdge(HWND edit, std::size_t k) {
    POINTL at{};
    SendMessageW(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), static_cast<LPARAM>(k));
    return at.x;
}

// How many of the first n characters begin left of x, for a line written left to right.
std::size_t BeginningLeftOf(HWND edit, std::size_t n, LONG x) {
    std::size_t low = 0, high = n;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (LeftEdge(edit, middle) < x)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

} // namespace

bool Preview::Settled() const {
    return shows_ == wanted_.chars;
}

// The characters in view, and a margin either side. A line written left to right is searched by
// the characters' positions: under Wine one EM_CHARFROMPOS costs the control 1.3 ms at 2 000
// characters, the dozen EM_POSFROMCHAR of a search 0.1 ms.
std::pair<std::size_t, std::size_t> Preview::View() const {
    RECT client{};
    GetClientRect(edit_, &client);
    const std::size_t n = text_.size();
    if (std::none_of(text_.begin(), text_.end(), WritesRightToLeft)) {
        const std::size_t atLeft = BeginningLeftOf(edit_, n, client.left + 1);
        const std::size_t end = BeginningLeftOf(edit_, n, client.right);
        // The one the left edge cuts, and the last that begins left of the right edge.
        return CharactersInView(text_, atLeft == 0 ? 0 : atLeft - 1, end == 0 ? 0 : end - 1,
                                kViewMargin);
    }
    // Right to left, the character at the left edge may come after the one at the right edge.
    const LONG middle = (client.top + client.bottom) / 2;
    auto at = [this](LONG x, LONG y) {
        POINTL point{x, y};
        return static_cast<std::size_t>(std::max<LRESULT>(
            0, SendMessageW(edit_, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point))));
    };
    return CharactersInView(text_, at(client.left, middle), at(client.right, middle), kViewMargin);
}

Preview::Untouched Preview::BeginFormatting() {
    Untouched saved{};
    SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved.selection));
    if (!selection_ || selection_->GetFlags(&saved.flags) != S_OK)
        saved.flags = 0;
    SendMessageW(edit_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&saved.scroll));
    saved.events = SendMessageW(edit_, EM_SETEVENTMASK, 0, 0);
    SendMessageW(edit_, WM_SETREDRAW, FALSE, 0);
    SuspendUndo(true);
    CHARFORMAT2W defaults = EmptyFormat();
    SendMessageW(edit_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&defaults));
    saved.height = defaults.yHeight;
    return saved;
}

void Preview::EndFormatting(const Untouched& saved) noexcept {
    SuspendUndo(false);
    CHARRANGE selection = saved.selection;
    SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if ((saved.flags & tomSelStartActive) && selection.cpMin < selection.cpMax)
        selection_->SetRange(selection.cpMax, selection.cpMin); // anchor, then the active end
    // Selecting scrolls the line: it goes back while nothing is drawn (under Wine a scroll made
    // while drawing is on is drawn at once, 4.5 ms at 2 000 characters), and once more if turning
    // drawing on brings the caret into view.
    ScrollTo(edit_, saved.scroll);
    SendMessageW(edit_, WM_SETREDRAW, TRUE, 0);
    ScrollTo(edit_, saved.scroll);
    InvalidateRect(edit_, nullptr, FALSE);
    SendMessageW(edit_, EM_SETEVENTMASK, 0, saved.events);
}

void Preview::FormatAll(const CharLook& look, LONG height) {
    const std::u16string_view face = wanted_.faces.at(look.face);
    CHARFORMAT2W format = EmptyFormat();
    format.dwMask = CFM_COLOR | CFM_BOLD | CFM_FACE | CFM_SIZE | CFM_ITALIC | CFM_UNDERLINE |
                    CFM_STRIKEOUT | CFM_HIDDEN | CFM_SUBSCRIPT | CFM_BACKCOLOR;
    format.dwEffects = CFE_AUTOBACKCOLOR | (look.bold ? CFE_BOLD : 0) |
                       (look.sub ? CFE_SUBSCRIPT : 0) | (look.sup ? CFE_SUPERSCRIPT : 0);
    format.crTextColor = look.colour;
    format.yHeight = height;
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1),
                format.szFaceName);
    SendMessageW(edit_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    shows_.assign(text_.size(), look);
}

// Formats the characters of [from, to) that do not show their look yet, whole characters only:
// half of one streamed in alone need not come back as it was.
void Preview::FormatSpan(std::size_t from, std::size_t to, LONG height) {
    while (from < to && shows_[from] == wanted_.chars[from])
        ++from;
    while (to > from && shows_[to - 1] == wanted_.chars[to - 1])
        --to;
    if (from >= to)
        return;
    std::tie(from, to) = WholeCharacters(text_, from, to);
    if (!Holds(edit_, text_, from, to)) {
        // The text changed without a word to the preview: nothing to do until it has its look.
        Forget();
        return;
    }
    if (!StreamIn(from, to, height)) {
        // Not expected: put the user's characters back exactly, and show them plain.
        SetWindowTextW(edit_, ToWide(text_).c_str());
        wanted_.chars.assign(text_.size(), CharLook{});
        FormatAll(CharLook{}, height);
        return;
    }
    std::copy(wanted_.chars.begin() + from, wanted_.chars.begin() + to, shows_.begin() + from);
}

bool Preview::StreamIn(std::size_t from, std::size_t to, LONG height) {
    const std::u16string_view text = std::u16string_view(text_).substr(from, to - from);
    const std::string stretch =
        LookToRtf(text, std::span(wanted_.chars).subspan(from, to - from), wanted_.faces);
    CHARRANGE changed{static_cast<LONG>(from), static_cast<LONG>(to)};
    SendMessageW(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&changed));
    rtf::StreamIntoSelection(edit_, stretch);
    if (!Holds(edit_, text_, from, to))
        return false;

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
    return true;
}

// One idle turn: stretches nearest the view first, until the line is done, input waits or the
// turn has taken its time. Not while the mouse holds the control: a drag selects from its anchor.
void Preview::FormatInIdleTurn() {
    if (composing_ || GetCapture() == edit_)
        return;
    if (Settled()) {
        KillTimer(edit_, kIdleTimer);
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto [first, last] = View();
    const std::size_t n = text_.size();
    auto waiting = [this](std::size_t i) { return shows_[i] != wanted_.chars[i]; };
    const Formatting formatting(*this);
    while (!Settled()) { // or no longer known
        // The waiting character nearest the view: in it, or the nearer of the next either side.
        std::size_t at = first;
        while (at < last && !waiting(at))
            ++at;
        if (at == last) {
            std::size_t before = first, after = last;
            while (before > 0 && !waiting(before - 1))
                --before;
            while (after < n && !waiting(after))
                ++after;
            if (before == 0 && after == n)
                break;
            if (after == n || (before > 0 && first - before < after - last)) {
                FormatSpan(before - std::min(before, kIdleStretch), before, formatting.Height());
            } else {
                FormatSpan(after, std::min(n, after + kIdleStretch), formatting.Height());
            }
        } else {
            FormatSpan(at, std::min(n, at + kIdleStretch), formatting.Height());
        }
        if (std::chrono::steady_clock::now() - start >= kIdleTurn ||
            HIWORD(GetQueueStatus(QS_INPUT)) != 0)
            break;
    }
    if (Settled())
        KillTimer(edit_, kIdleTimer);
}

} // namespace quillon
