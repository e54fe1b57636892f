// A balloon that tells the user something without stopping them: it points at a control, stays
// inside the monitor's work area, and goes by itself after a few seconds or when hidden.
// Its text is the tooltip's own, so a screen reader (or a test) reads it from the tooltip window.
#pragma once

#include <windows.h>

#include <string_view>

namespace quillon {

class Notice {
  public:
    Notice() = default;
    ~Notice();
    Notice(const Notice&) = delete;
    Notice& operator=(const Notice&) = delete;

    // Makes the balloon's window for `owner`, whose tool it is. The owner hides the balloon
    // when it hides itself; the balloon's window goes with this object.
    void Attach(HWND owner);
    // Replaces whatever the balloon showed.
    void Show(HWND anchor, std::wstring_view text);
    void Hide();
    bool Visible() const;
    HWND Tooltip() const { return tip_; }

    static constexpr UINT kShownMs = 8000;

  private:
    HWND tip_ = nullptr;
};

} // namespace quillon
