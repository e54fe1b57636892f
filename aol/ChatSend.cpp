// Posting one line into the open chat room through its input, keeping the user's unsent draft.
#include "AnsiText.h"
#include "ClientText.h"
#include "ClientWindows.h"
#include "Korvelix6o.h"
#include "PendingEvents.h"

#include <algorithm>
#include <vector>

namespace Korvelix6o {

namespace {

// A client that never empties its input must not hold us (and the user's draft) forever.
constexpr auto kBound = std::chrono::seconds(10);
// Putting a draft back once the post is over: a client that does not answer within this keeps
// the caller waiting no longer; the caller holds the draft and offers it again later.
constexpr auto kPutBackBound = std::chrono::seconds(1);
constexpr auto kPollInterval = std::chrono::milliseconds(10);
// How soon a held draft's last look at the input must be answered before it is written in.
constexpr auto kConfirmBound = std::chrono::milliseconds(100);

// Posts that calls further up this thread's stack are making. Handlers run inside every wait,
// so a call can nest in another; each entry lives exactly as long as its call. Another thread's
// posts are not ours to nest in.
class Transit;
thread_local std::vector<const Transit*> inTransit;

class Transit {
  public:
    explicit Transit(HWND input) : input_(input) { inTransit.push_back(this); }
    ~Transit() { inTransit.pop_back(); }
    Transit(const Transit&) = delete;
    Transit& operator=(const Transit&) = delete;
    HWND input() const { return input_; }
    bool lineOut() const { return lineOut_; }
    void SetLineOut() { lineOut_ = true; }

  private:
    HWND input_;
    bool lineOut_ = false; // the carriage return has gone
};

const Transit* OuterPost(HWND input) {
    const auto it = std::find_if(inTransit.begin(), inTransit.end(),
                                 [input](const Transit* t) { return t->input() == input; });
    return it == inTransit.end() ? nullptr : *it;
}

// The second "RICHCNTL" child of the room. No room, no input: a null parent would search the
// top-level windows instead.
HWND ChatInput(HWND room) {
    if (!room)
        return nullptr;
    const HWND transcript = FindWindowExA(room, nullptr, kRichTextClass, nullptr);
    return FindWindowExA(room, transcript, kRichTextClass, nullptr);
}

// A held draft's input, if it is still one: a window handle can outlive its window.
bool StillChatInput(HWND input) {
    char name[64] = {};
    return IsWindow(input) && GetClassNameA(input, name, sizeof name) > 0 &&
           lstrcmpiA(name, kRichTextClass) == 0;
}

PostOutcome Failure(HWND input) {
    if (!IsWindow(input))
        return PostOutcome::clientGone;
    return Refused(input) ? PostOutcome::refused : PostOutcome::notTaken;
}

// An answered look at the input settles a line that may still go. Sent messages reach the client
// in the order they were sent, so it has handled the carriage return by now: if our line is no
// longer in its input, it took it.
void Settle(HeldDraft& held, const std::string& current) {
    if (held.fate == LineFate::mayGo)
        held.fate = current == held.line ? LineFate::kept : LineFate::went;
}

// After the post the user's draft goes back into the input, over nothing but our own line (left
// there by a client that never took it): text typed into the input meanwhile is the user's and
// stays. True when nothing is left to do; otherwise the draft, or our own line that may still be
// in the input, is held with the input it belongs to. draft: the draft as it was read.
bool PutBackAfterPost(HeldDraft& held, const std::string& draft) {
    const auto deadline = Clock::now() + kPutBackBound;
    const auto current = ReadText(held.input, deadline);
    if (!current)
        return false;
    Settle(held, current->text);
    if (current->text.empty() || current->text == held.line)
        return (current->text.empty() && draft.empty()) ||
               WriteText(held.input, draft, deadline, &held.write);
    return draft.empty();
}

// Events run before every read so the window keeps answering; between reads the thread sleeps.
// A vanished input answers nothing, and then nobody can say the line was taken.
bool WaitUntilEmpty(HWND input, Clock::time_point deadline) {
    for (;;) {
        RunPendingEvents();
        if (IsEmpty(input, deadline).value_or(false))
            return true;
        if (!IsWindow(input) || Clock::now() >= deadline)
            return false;
        WaitForEvents(kPollInterval);
    }
}

// The carriage return is the one message that must not arrive twice, and a timed-out send that
// the client had already begun to handle still runs to its end: retrying it could send the line
// twice. So it is queued once with SendNotifyMessage and not waited for. Sent messages reach a
// thread in the order they were sent, so the reads that follow are answered only after it.
bool TypeLine(HWND input, const std::string& ansiLine, Clock::time_point deadline) {
    return WriteText(input, ansiLine, deadline) && SendNotifyMessageA(input, WM_CHAR, '\r', 0);
}

// The input holds an outer call's line, not the user's draft: let that line leave first, and
// leave the input empty so the outer call's wait ends and it puts the draft back.
bool PostBehindOuterLine(HWND input, const std::u16string& line) {
    const auto deadline = Clock::now() + kBound;
    if (!WaitUntilEmpty(input, deadline))
        return false;
    const bool taken =
        TypeLine(input, ToChatAnsi(line), deadline) && WaitUntilEmpty(input, deadline);
    if (!taken)
        WriteText(input, {}, Clock::now() + kPutBackBound);
    return taken;
}

} // namespace

PostResult ChatSend(const std::u16string& line) {
    if (!FindWindowA(kFrameClass, nullptr))
        return {PostOutcome::noClient, {}};
    const HWND input = ChatInput(FindRoom());
    if (!input)
        return {PostOutcome::noRoom, {}};
    if (const Transit* outer = OuterPost(input)) {
        // Before the outer line has gone, its wait is below us on this stack and cannot end.
        if (outer->lineOut() && PostBehindOuterLine(input, line))
            return {PostOutcome::taken, {}};
        return {Failure(input), {}};
    }

    const auto deadline = Clock::now() + kBound;
    // Without the whole draft in hand nothing is touched: the input keeps it.
    const auto saved = ReadText(input, deadline);
    if (!saved || !saved->whole)
        return {Failure(input), {}};
    Transit transit(input);
    bool ready = true;
    // WM_CLEAR, like the carriage return, goes once and unawaited: the empty text set after it
    // makes the input empty whatever it did, and is answered only after it.
    if (!saved->text.empty())
        ready = SendNotifyMessageA(input, WM_CLEAR, 0, 0) && WriteText(input, {}, deadline);
    HeldDraft left{input, FromAnsi(saved->text), ToChatAnsi(line), LineFate::settled, nullptr};
    bool taken = false;
    if (ready && TypeLine(input, left.line, deadline)) {
        transit.SetLineOut();
        taken = WaitUntilEmpty(input, deadline);
        if (!taken)
            left.fate = LineFate::mayGo;
    }
    const bool settled = PutBackAfterPost(left, saved->text);
    PostOutcome outcome = Failure(input);
    if (taken || left.fate == LineFate::went)
        outcome = PostOutcome::taken;
    else if (left.fate == LineFate::kept)
        outcome = PostOutcome::notEmptied;
    else if (left.fate == LineFate::mayGo && outcome != PostOutcome::clientGone)
        outcome = PostOutcome::unanswered;
    return {outcome, settled ? std::nullopt : std::optional(std::move(left))};
}

PutBack PutBackDraft(HeldDraft& draft) {
    if (!StillChatInput(draft.input))
        return PutBack::roomGone;
    if (draft.write) {
        // An earlier try that timed out: until it ends nothing more goes to that input, and if
        // the client took it after all the draft is there. One it refused wrote nothing.
        if (!draft.write->Done())
            return PutBack::later;
        if (draft.write->Answer() == TRUE)
            return PutBack::done;
        draft.write.reset();
    }
    if (OuterPost(draft.input) || StillBlocked(draft.input))
        return PutBack::later;
    const auto deadline = Clock::now() + kPutBackBound;
    const auto current = ReadText(draft.input, deadline);
    if (!current)
        return PutBack::later;
    Settle(draft, current->text);
    const std::string ansi = ToAnsi(draft.text);
    // An earlier try the client was still handling when it timed out got there after all.
    if (current->text == ansi)
        return PutBack::done;
    // Typed meanwhile: a draft waits for the input to be empty; with none, nothing is to do.
    if (!current->text.empty() && current->text != draft.line)
        return ansi.empty() ? PutBack::done : PutBack::later;
    // A client slow to answer (one just started, say) may have taken the user's typing after our
    // read was queued: only an input that reads the same again, at once, is written into.
    const auto again = ReadText(draft.input, Clock::now() + kConfirmBound);
    if (!again || again->text != current->text)
        return PutBack::later;
    return WriteText(draft.input, ansi, deadline, &draft.write) ? PutBack::done : PutBack::later;
}

} // namespace Korvelix6o
