// Automation of the chat client through its windows only: discovery, posting, window utilities.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace Korvelix6o {

std::u16string GetCaption(HWND window);
std::u16string GetText(HWND window);
std::u16string GetUser();
HWND FindRoom();

// A send the client has not answered yet, though its waiter gave up on it: the client may still
// act on it. Answer() is what the client answered, once it did.
class LateSend {
  public:
    virtual ~LateSend() = default;
    virtual bool Done() const = 0;
    virtual std::optional<LRESULT> Answer() const = 0;
};

// The user's unsent draft that a post could not put back because the client stopped answering.
// It belongs to the input it came from, and goes back nowhere else.
struct HeldDraft {
    HWND input = nullptr;
    std::u16string text;
    std::string line;                       // the post's own line, still there if never taken
    std::shared_ptr<const LateSend> write;  // a put-back that timed out and may still land
};

enum class PostOutcome {
    taken,      // the client took the line: it emptied its input
    noClient,   // no client is running
    noRoom,     // the client runs, but no chat room is open
    notTaken,   // the client did not take the line within the bound
    clientGone, // the room's input went away during the post
    refused,    // the client refuses our messages: it runs with higher rights than we do
};

// What one post did. A held draft is the caller's to offer again with PutBackDraft.
struct PostResult {
    PostOutcome outcome = PostOutcome::noClient;
    std::optional<HeldDraft> held;
    bool taken() const { return outcome == PostOutcome::taken; }
};
// Posts one line into the open room, putting back what the user had typed in its input, and
// returns when it is done (bounded in time).
PostResult ChatSend(const std::u16string& line);

enum class PutBack {
    done,     // the draft is in its input, or landed there from an earlier try
    later,    // the input is busy, not empty or does not answer: try again
    roomGone, // its input is gone; it never goes into another room's
};
// Puts a held draft back into the input it came from, only while that is empty (or still holds
// the post's own line). Never over something typed meanwhile.
PutBack PutBackDraft(HeldDraft& draft);

void StayOnTop(HWND form);
void FormDrag(HWND form);

// Where a search or a wait lets pending events run, each message goes to this filter first;
// it returns true for a message it handled itself (a UI routes its dialog keys here, as its own
// message loop does). No filter: every message is dispatched.
using EventFilter = std::function<bool(MSG& message)>;
void SetEventFilter(EventFilter filter);

} // namespace Korvelix6o
