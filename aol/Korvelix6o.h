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

// What one post did. A client that stops answering can leave the user's unsent draft out of its
// input; the draft then comes back to the caller, who offers it again with PutBackDraft.
struct PostResult {
    bool taken = false;       // the client took the line: it emptied its input
    std::u16string heldDraft; // the draft that could not be put back; empty when none
};
PostResult ChatSend(const std::u16string& line);

// Puts a draft back into the open room's input, only if that is empty; true once the input
// holds it. Never over something typed meanwhile.
bool PutBackDraft(const std::u16string& draft);

void StayOnTop(HWND form);
void FormDrag(HWND form);

// Where a search or a wait lets pending events run, each message goes to this filter first;
// it returns true for a message it handled itself (a UI routes its dialog keys here, as its own
// message loop does). No filter: every message is dispatched.
using EventFilter = std::function<bool(MSG& message)>;
void SetEventFilter(EventFilter filter);

} // namespace Korvelix6o
