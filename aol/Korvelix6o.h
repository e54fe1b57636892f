// Automation of the chat client through its windows only: discovery, posting, window utilities.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace Korvelix6o {

std::u16string GetCaption(HWND window);
std::u16string GetText(HWND window);
std::u16string GetUser();
HWND FindRoom();
bool ChatSend(const std::u16string& line); // true once the client took the line
void StayOnTop(HWND form);
void FormDrag(HWND form);

// Where a search or a wait lets pending events run, each message goes to this filter first;
// it returns true for a message it handled itself (a UI routes its dialog keys here, as its own
// message loop does). No filter: every message is dispatched.
using EventFilter = std::function<bool(MSG& message)>;
void SetEventFilter(EventFilter filter);

} // namespace Korvelix6o
