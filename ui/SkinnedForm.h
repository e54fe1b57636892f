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

    // Paint and hit-test messages: true when handled, with the message's result.
    bool HandleFaceMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    FormShaper FormShaper1;
};

} // namespace quillon
