// How many GDI objects a process holds, read from outside it.
#pragma once

#include <windows.h>

// GetGuiResources where the platform has it; under Wine, which does not, the count of live
// entries in the process's GDI handle table. -1 when neither can be read.
int GdiObjectCount(HANDLE process);
