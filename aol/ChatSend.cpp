// Posting one line into the open chat room through its input, keeping the user's unsent draft.
#include "AnsiText.h"
#include "Korvelix6o.h"
#include "PendingEvents.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace Korvelix6o {

namespace {

using Clock = std::chrono::steady_clock;

// A client that never empties its input must not hold us (and the user's draft) forever.
constexpr auto kBound = std::chrono::seconds(10);
constexpr auto kPollInterval = std::chrono::milliseconds(10);

// Inputs that calls further up this thread's stack are posting through. Handlers run inside the
// waits, so a call can nest in another; each entry lives exactly as long as its call.
std::vector<HWND> inputsInTransit;

class Transit {
  public:
    explicit Transit(HWND input) { inputsInTransit.push_back(input); }
    ~Transit() { inputsInTransit.pop_back(); }
    Transit(const Transit&) = delete;
    Transit& operator=(const Transit&) = delete;
};

bool InTransit(HWND input) {
    return std::find(inputsInTransit.begin(), inputsInTransit.end(), input) !=
           inputsInTransit.end();
}

void SetText(HWND input, const std::u16string& text) {
    const std::string ansi = ToAnsi(text);
    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
}

// Events run before every read so the window keeps answering; between reads the thread sleeps.
bool WaitUntilEmpty(HWND input) {
    const auto deadline = Clock::now() + kBound;
    for (;;) {
        RunPendingEvents();
        if (GetText(input).empty())
            return true;
        if (Clock::now() >= deadline)
            return false;
        WaitForEvents(kPollInterval);
    }
}

// A vanished input also reads empty, but then nobody can say the line was taken.
bool Post(HWND input, const std::u16string& line) {
    SetText(input, line);
    SendMessageA(input, WM_CHAR, 13, 0);
    return WaitUntilEmpty(input) && IsWindow(input);
}

// The input holds an outer call's line, not the user's draft: let that line leave first, and
// leave the input empty so the outer call's wait ends and it puts the draft back.
bool PostBehindOuterLine(HWND input, const std::u16string& line) {
    if (!WaitUntilEmpty(input))
        return false;
    const bool taken = Post(input, line);
    if (!taken)
        SetText(input, u"");
    return taken;
}

} // namespace

bool ChatSend(const std::u16string& line) {
    if (!FindWindowA("AOL Frame25", nullptr))
        return false;
    const HWND room = FindRoom();
    if (!room)
        return false;
    HWND input = FindWindowExA(room, nullptr, "richcntl", nullptr);
    input = FindWindowExA(room, input, "richcntl", nullptr);
    // A missing input is passed over like any failed step: the messages to it go nowhere, and
    // the wait still lets pending events run once before it reads the input as empty.
    if (input && InTransit(input))
        return PostBehindOuterLine(input, line);

    const std::u16string saved = GetText(input);
    const Transit transit(input);
    if (!saved.empty()) {
        SendMessageA(input, WM_CLEAR, 0, 0);
        SetText(input, u"");
    }
    const bool taken = Post(input, line);
    SetText(input, saved);
    return taken;
}

} // namespace Korvelix6o
