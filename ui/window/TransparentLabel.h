// A caption-less label that shows its parent's face through itself and reports mouse presses
// to the parent as WM_COMMAND (kLabelMouseDown for any button, kLabelClick for a left click).
#pragma once

#include <windows.h>

namespace quillon {

// Registers the label class (once per process). The parent paints its face on WM_PRINTCLIENT.
void RegisterTransparentLabel(HINSTANCE instance);

} // namespace quillon
