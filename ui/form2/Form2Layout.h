// Form2, the floating button: its size, position rule and shape.
#pragma once

#include "window/Shaping.h"

#include <span>

namespace quillon {

constexpr Box kForm2Twips{1290, 1545, 1560, 375}; // design position (replaced on load), client
constexpr int kForm2TopTwips = 100;

std::span<const ShapeSpec> Form2Shapes();

} // namespace quillon
