// Automation of the chat client through its windows only: discovery, posting, window utilities.
#pragma once

#include <windows.h>

#include <string>

namespace Korvelix6o {

std::u16string GetCaption(HWND window);
std::u16string GetText(HWND window);
std::u16string GetUser();
HWND FindRoom();
bool ChatSend(const std::u16string& line); // true once the client took the line
void StayOnTop(HWND form);
void FormDrag(HWND form);

} // namespace Korvelix6o
