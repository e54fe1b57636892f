// What both forms do alike: a face painted by one function, and an outline cut by FormShaper1
// that neither shows nor takes clicks outside it.
#pragma once

#include "Dpi.h"
#include "Shaping.h"
#include "Window.h"

#include <span>

namespace quillon {

class SkinnedForm : public Window {
  protected:
    explicit SkinnedForm(std::span<const ShapeSpec> shapes) : FormShaper1(shapes) {}

    virtual void PaintContent(HDC dc) = 0;
    // The client area in twips.
    virtual Box ClientTwips() const = 0;
    // Makes everything inside (art, fonts, control places) for Dpi(), unpainted.
    virtual void ApplyDpi() = 0;

    // The window's DPI: a guess for its monitor before it exists, then its own.
    int Dpi() const { return dpi_; }
    void SetDpi(int dpi);

    // Paint, hit-test and display-scale messages: true when handled, with the message's result.
    bool HandleFaceMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    FormShaper FormShaper1;

  private:
    // The move to a monitor of another scale, inside the rectangle Windows suggests.
    void OnDpiChanged(int dpi, const RECT& suggested);

    int dpi_ = kDesignDpi;
};

} // namespace quillon
