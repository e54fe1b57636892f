// The twelve colour sliders: which column each belongs to, and how a column packs its colour.
#pragma once

#include <cstdint>

namespace quillon {

constexpr int kSliderMin = 0;
constexpr int kSliderMax = 255;
constexpr int kSliderStart = 1; // thumbs start one step from the left; swatches still black
constexpr int kSliderCount = 12;
constexpr int kColumnCount = 4;

// HScroll n (1..12) drives column (n - 1) / 3 + 1; column k holds HScroll 3k-2 (red), 3k-1
// (green), 3k (blue).
constexpr int ColumnOfSlider(int n) {
    return (n - 1) / 3 + 1;
}
constexpr int RedSliderOf(int column) {
    return 3 * column - 2;
}

// As the swatches keep a colour (red lowest); a component outside 0..255 counts as its nearest
// bound.
std::int32_t PackColour(int red, int green, int blue);

// The value after one arrow or track step (small and large change are both 1), kept in range.
int StepSlider(int value, int delta);

} // namespace quillon
