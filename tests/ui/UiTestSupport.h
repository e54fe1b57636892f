// Driving Quillon's windows in-process, as the message loop and a user would.
#pragma once

#include "form1/Form1.h"

#include <windows.h>

#include <richedit.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace uitest {

// Runs this thread's pending messages for about `ms` milliseconds (WM_QUIT is kept).
void Pump(DWORD ms);
// Pumps until done() holds; false if it did not within the time.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Removes a WM_QUIT left by a window that ended the program.
bool TakeQuit();

std::wstring Text(HWND window);
std::string Narrow(const std::u16string& ascii);
int Swatch(HWND form, int column);
void Scroll(HWND form, int slider, int code, int thumb = 0);
void Check(HWND form, int id, bool on);
void LeftClick(HWND window, int x = 2, int y = 2);  // down and up, client coordinates
void TypeInto(HWND window, std::wstring_view text); // one WM_CHAR a character
// The format of every character of a rich edit, read one character at a time; the selection and
// the scroll position are put back afterwards.
std::vector<CHARFORMAT2W> CharFormats(HWND richEdit);

// Twips at a DPI, rounded half up; written out here rather than taken from the program, so a
// wrong conversion there cannot hide.
inline int Px(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}
RECT InParent(HWND control); // the control's rectangle in its parent's client coordinates
LOGFONTW FontOf(HWND window);
RECT RegionBox(HWND window); // the bounding box of the window's region; empty without one

// A loaded, shown Form1 whose fader refusals are counted rather than shown.
struct LoadedForm {
    LoadedForm();
    ~LoadedForm();
    HWND Hwnd() const { return form->Hwnd(); }
    HWND Item(int id) const { return GetDlgItem(form->Hwnd(), id); }
    std::unique_ptr<quillon::Form1> form;
    int refusals = 0;
    std::vector<std::u16string> refusalMessages;
};

} // namespace uitest
