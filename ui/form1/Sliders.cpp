#include "Sliders.h"

#include "Markup.h"

#include <algorithm>

namespace quillon {

std::int32_t PackColour(int red, int green, int blue) {
    auto component = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
    return static_cast<std::int32_t>(
        ChatMarkup::Rgb{component(red), component(green), component(blue)}.Packed());
}

int StepSlider(int value, int delta) {
    return std::clamp(value + delta, kSliderMin, kSliderMax);
}

} // namespace quillon
