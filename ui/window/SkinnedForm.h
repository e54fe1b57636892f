// What both forms do alike: a face painted by one function, and an outline cut by FormShaper1
// that neither shows nor takes clicks outside it.
#pragma once

#include "Shaping.h"
#include "Window.h"

#include <span>

namespace quillon {

class SkinnedForm : public Window {
  protected:
    explicit SkinnedForm(std::span<const ShapeSpec> shapes) : FormShaper1(shapes) {}

    virtual void PaintContent(HDC dc) = 0;
    // The client area in twips, and the move to a monitor of another scale inside the
    // rectangle Windows suggests.
    virtual Box ClientTwips() const = 0;
    virtual void OnDpiChanged(UINT dpi, const RECT& suggested) = 0;

    // Paint, hit-test and display-scale messages: true when handled, with the message's result.
    bool HandleFaceMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    FormShaper FormShaper1;
};

} // namespace quillon
