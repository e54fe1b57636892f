// Form1's window settings and control table.
#pragma once

#include "window/Layout.h"
#include "window/Shaping.h"

namespace quillon {

constexpr Box kForm1Twips{2190, 1875, 6015, 2610}; // design position and client size
constexpr int kComboListTwips = 3000;              // extra height for the drop-down list
// Text1 holds a line well beyond what the fader takes, so that Send can say it is too long.
constexpr int kText1Limit = 65536;

std::span<const ControlSpec> Form1Controls();
const ControlSpec& Form1Control(int id); // a row of the table; the id must be in it
std::span<const ShapeSpec> Form1Shapes();

} // namespace quillon
