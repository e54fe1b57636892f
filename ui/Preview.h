// Text1 as a live preview: a single-line rich edit that takes plain text only and shows its line in
// the look the chat room will give it, leaving caret, selection, scrolling and undo as they are.
#pragma once

#include "PreviewLook.h"

#include <windows.h>

#include <string>
#include <string_view>

struct ITextDocument;
struct ITextSelection;

namespace quillon {

class Preview {
  public:
    Preview() = default;
    ~Preview();
    Preview(const Preview&) = delete;
    Preview& operator=(const Preview&) = delete;

    // Takes the control over and lets it hold up to limit characters. The control tells its
    // parent of every change of its text with EN_CHANGE, also when an IME composition ends.
    void Attach(HWND richEdit, int limit);

    // The control's own font, its face and size for text without a look, as WM_SETFONT with
    // redraw; undo is left alone. The control answers WM_GETFONT with it, as a text box does.
    void SetFont(HFONT font, bool redraw);

    // Gives text, the control's text as it stands, its look. Nothing changes while an IME
    // composes: the composition keeps its own look until it ends.
    void Show(std::wstring_view text, const LineLook& look);

  private:
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self) noexcept;
    void Detach();
    void PastePlainText();
    void FormatAll(const CharLook& look, std::wstring_view face, LONG height);
    void StreamIn(std::wstring_view text, const LineLook& look, std::size_t from, std::size_t to,
                  LONG height);
    bool SuspendUndo(bool suspend);

    HWND edit_ = nullptr;
    ITextDocument* document_ = nullptr;
    ITextSelection* selection_ = nullptr;
    bool composing_ = false;
    HFONT font_ = nullptr;
    // What the control shows, so that only what changed is formatted again; unknown while stale.
    std::wstring shownText_;
    LineLook shown_;
    bool stale_ = true;
};

} // namespace quillon
