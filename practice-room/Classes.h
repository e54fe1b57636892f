// The window classes a chat client's room is recognised by, built on the platform's controls.
#pragma once

#include <windows.h>

#include <string>

inline constexpr wchar_t kRichClass[] = L"RICHCNTL";
inline constexpr wchar_t kListClass[] = L"_AOL_Listbox";
inline constexpr wchar_t kIconClass[] = L"_AOL_Icon";
inline constexpr wchar_t kStaticClass[] = L"_AOL_Static";

// Sent by an editable "RICHCNTL" to its parent on Enter; lParam is the input window.
inline constexpr UINT kLineEntered = WM_APP + 1;

// Registers the four control classes (riched20.dll must already be loaded). False on failure.
// claimedLength >= 0: editable "RICHCNTL"s answer WM_GETTEXTLENGTH with it, whatever they hold.
bool RegisterControlClasses(HINSTANCE instance, int claimedLength = -1);

// What a "RICHCNTL" holds, read past any claimed length.
std::wstring RichText(HWND window);
