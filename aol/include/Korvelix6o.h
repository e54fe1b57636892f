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

// Whether a post's own line may still reach the room.
enum class LineFate {
    settled, // nothing more will be known: it went, it never went out, or it is no longer watched
    mayGo,   // the carriage return went, but the client has not answered since: it may still go
    went,    // the client answered, and the line had left its input: it was taken late
    kept,    // the client answered with the line still in its input; it was put back over
};

// What a post left in the client's input unsettled: the user's unsent draft, which goes back
// into the input it came from and nowhere else, and the post's own line, which may still be
// there (and must never pass for the user's draft) and may still be taken.
struct HeldDraft {
    HWND input = nullptr;
    std::u16string text;                   // the draft; empty when there was none
    std::string line;                      // the post's own line, still there if never taken
    LineFate fate = LineFate::settled;     // PutBackDraft keeps it up to date
    std::shared_ptr<const LateSend> write; // a put-back that timed out and may still land
};

enum class PostOutcome {
    taken,      // the client took the line: it emptied its input
    noClient,   // no client is running
    noRoom,     // the client runs, but no chat room is open
    notTaken,   // the client did not answer in time before the carriage return: nothing went
    unanswered, // the carriage return went, then the client stopped answering: it may still go
    notEmptied, // the client answered, but kept the line in its input: it may or may not have gone
    clientGone, // the room's input went away during the post
    refused,    // the client refuses our messages: it runs with higher rights than we do
};

// Sending the line again could post it twice.
constexpr bool MayHaveGone(PostOutcome outcome) {
    return outcome == PostOutcome::unanswered || outcome == PostOutcome::notEmptied;
}

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
    done,     // the draft is in its input (or there was none), and our line is out of it
    later,    // the input is busy, not empty or does not answer: try again
    roomGone, // its input is gone; it never goes into another room's
};
// Puts a held draft back into the input it came from, only while that is empty (or still holds
// the post's own line). Never over something typed meanwhile. Each answered look at the input
// settles a line that may still go (draft.fate).
PutBack PutBackDraft(HeldDraft& draft);

void StayOnTop(HWND form);
void FormDrag(HWND form);

// Where a search or a wait lets pending events run, each message goes to this filter first;
// it returns true for a message it handled itself (a UI routes its dialog keys here, as its own
// message loop does). No filter: every message is dispatched.
using EventFilter = std::function<bool(MSG& message)>;
void SetEventFilter(EventFilter filter);

} // namespace Korvelix6o
