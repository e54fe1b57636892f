// Resource ids shared by quillon.rc and the windows that load them.
#pragma once

#define IDI_QUILLON 1  // the icon: 32x32 and one image for each display scale
#define IDB_SKIN 101   // the 400x175 24-bit skin of the main window at 100 %
#define IDB_BUTTON 102 // the 75x25 24-bit picture of the floating button at 100 %
// The windows draw both for the display scale at run time (ui/art); these files are that drawing
// at 100 %, written by ui/art's tool art_export.

#define IDA_FORM1 150     // Form1's keys: Ctrl+S saves the fade
#define IDD_FADE_NAME 201 // the dialog that asks for a fade's name
#define IDC_FADE_NAME 202 // its edit box
#define IDM_SAVE_FADE 29000
