#include "Sliders.h"

#include <algorithm>

namespace quillon {

std::int32_t PackColour(int red, int green, int blue) {
    auto component = [](int v) { return std::clamp(v, 0, 255); };
    return component(red) + 256 * component(green) + 65536 * component(blue);
}

int StepSlider(int value, int delta) {
    return std::clamp(value + delta, kSliderMin, kSliderMax);
}

} // namespace quillon
