// Form2, the floating oval button: a click closes it and brings Form1 back.
#pragma once

#include "window/Dpi.h"
#include "window/Gdi.h"
#include "window/SkinnedForm.h"

#include <functional>

namespace quillon {

class Form2 : public SkinnedForm {
  public:
    // Loads (creates and runs Form_Load) and shows a new floating button. `unloaded` runs when
    // its window is destroyed, however that happens; the object then deletes itself.
    static Form2* Show(HINSTANCE instance, std::function<void()> unloaded);

  private:
    Form2(HINSTANCE instance, std::function<void()> unloaded);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override { delete this; }
    void PaintContent(HDC dc) override;
    Box ClientTwips() const override;
    void ApplyDpi() override; // the picture for the DPI

    void Form_Load();
    void Form_Click();

    HINSTANCE instance_;
    Bitmap picture_;
    std::function<void()> unloaded_;
    bool pressed_ = false;
};

} // namespace quillon
