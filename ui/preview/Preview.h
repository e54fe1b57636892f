// Text1 as a live preview: a single-line rich edit that takes plain text only and shows its line in
// the look the chat room will give it, leaving caret, selection, scrolling and undo as they are.
#pragma once

#include "PreviewLook.h"

#include <windows.h>

#include <richedit.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
    // composes: the composition keeps its own look until it ends. What is in view gets its look at
    // once; the rest of the line in idle turns, nearest the view first.
    void Show(std::u16string_view text, const LineLook& look);

    // Whether every character shows its look: false while some wait for an idle turn.
    bool Settled() const;

  private:
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static constexpr CharLook kUnknown{0xFFFFFFFFu}; // no colour of the room's
    static constexpr UINT_PTR kIdleTimer = 0x5150;   // apart from the rich edit's own timers

    // What formatting saves and puts back: to the user it is no edit.
    struct Untouched {
        CHARRANGE selection;
        long flags;
        POINT scroll;
        LRESULT events;
        LONG height; // the size of the control's own font
    };
    // Formatting under way, from construction to destruction: the control draws nothing, tells
    // nothing and records no undo meanwhile, and gets all of it back however formatting ends.
    class Formatting {
      public:
        explicit Formatting(Preview& preview)
            : preview_(preview), saved_(preview.BeginFormatting()) {}
        ~Formatting() { preview_.EndFormatting(saved_); }
        Formatting(const Formatting&) = delete;
        Formatting& operator=(const Formatting&) = delete;
        LONG Height() const { return saved_.height; }

      private:
        Preview& preview_;
        const Untouched saved_;
    };

    void Detach();
    void PastePlainText();
    // After the control moved the caret or the selection: an end inside a cluster goes to the
    // cluster's edge, the way it was moving (forward: after it).
    void KeepClustersWhole(bool forward);
    void Track(std::u16string_view text, const LineLook& look);
    void Forget();
    std::pair<std::size_t, std::size_t> View() const;
    Untouched BeginFormatting();
    void EndFormatting(const Untouched& saved) noexcept;
    void FormatAll(const CharLook& look, LONG height);
    void FormatSpan(std::size_t from, std::size_t to, LONG height);
    bool StreamIn(std::size_t from, std::size_t to, LONG height);
    void FormatInIdleTurn();
    bool SuspendUndo(bool suspend);

    HWND edit_ = nullptr;
    WNDPROC controlProc_ = nullptr; // the rich edit's own
    ITextDocument* document_ = nullptr;
    ITextSelection* selection_ = nullptr;
    bool composing_ = false;
    HFONT font_ = nullptr;
    // The control's text, the look each character should show, and the look each shows now
    // (kUnknown where that is not known), so that only what differs is formatted.
    std::u16string text_;
    LineLook wanted_;
    std::vector<CharLook> shows_;
    bool stale_ = true; // nothing is known of what the control shows
};

} // namespace quillon
