#include "BoundedSend.h"

#include "PendingEvents.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>

namespace Korvelix6o {

namespace {

// A window this slow to answer gets the thread's posted events run while it is waited for.
constexpr auto kSlow = std::chrono::milliseconds(30);

// One send, made by a thread of the process's pool. The job outlives a waiter that gave up:
// the sender may still be blocked in it, with the text as the message's buffer.
struct Job final : LateSend {
    Job(HWND w, UINT m, WPARAM wp, std::string* t, UINT timeout)
        : window(w), message(m), wParam(wp), text(t ? *t : std::string()), hasText(t != nullptr),
          timeoutMs(timeout), done(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Job() override {
        if (done)
            CloseHandle(done);
    }
    bool Done() const override { return WaitForSingleObject(done, 0) == WAIT_OBJECT_0; }
    std::optional<LRESULT> Answer() const override {
        if (!Done() || !answered)
            return std::nullopt;
        return static_cast<LRESULT>(result);
    }
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    HWND window;
    UINT message;
    WPARAM wParam;
    std::string text;
    bool hasText;
    UINT timeoutMs;
    HANDLE done; // set once the send has returned
    DWORD_PTR result = 0;
    std::atomic<bool> answered = false;
};

std::atomic<SendFunction> sendFunction = SendMessageTimeoutA;

// What the senders tell about each window. Never destroyed: a sender still blocked in a hung
// client when the process ends returns into it after static objects would have been destroyed.
struct Windows {
    std::mutex lock;
    // Sends whose waiter gave up while they were still blocked in the client, one per window.
    std::map<HWND, std::weak_ptr<const Job>> blocked;
    std::map<HWND, bool> refused; // whether the last finished send to a window was refused
};
Windows& Known() {
    static Windows* const known = new Windows;
    return *known;
}

} // namespace

bool StillBlocked(HWND window) {
    Windows& known = Known();
    const std::lock_guard lock(known.lock);
    const auto it = known.blocked.find(window);
    if (it == known.blocked.end())
        return false;
    if (const auto job = it->second.lock(); job && !job->Done())
        return true;
    known.blocked.erase(it);
    return false;
}

bool Refused(HWND window) {
    Windows& known = Known();
    const std::lock_guard lock(known.lock);
    const auto it = known.refused.find(window);
    return it != known.refused.end() && it->second;
}

void SetSendFunction(SendFunction send) {
    sendFunction = send ? send : SendMessageTimeoutA;
}

namespace {

void KeepBlocked(HWND window, const std::shared_ptr<const Job>& job) {
    Windows& known = Known();
    const std::lock_guard lock(known.lock);
    known.blocked[window] = job;
}

void CALLBACK Sender(PTP_CALLBACK_INSTANCE, void* param) {
    const std::unique_ptr<std::shared_ptr<Job>> owner(static_cast<std::shared_ptr<Job>*>(param));
    Job& job = **owner;
    const LPARAM lParam = job.hasText ? reinterpret_cast<LPARAM>(job.text.data()) : 0;
    SetLastError(0);
    const bool answered = sendFunction.load()(job.window, job.message, job.wParam, lParam,
                                              SMTO_NORMAL, job.timeoutMs, &job.result) != 0;
    const bool denied = !answered && GetLastError() == ERROR_ACCESS_DENIED;
    job.answered = answered;
    {
        Windows& known = Known();
        const std::lock_guard lock(known.lock);
        known.refused[job.window] = denied;
    }
    SetEvent(job.done);
}

UINT MillisecondsUntil(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<UINT>(std::max<long long>(left, 1));
}

// A window of this thread is called directly: it cannot be busy while we wait on it.
std::optional<LRESULT> SendHere(HWND window, UINT message, WPARAM wParam, std::string* text) {
    const LPARAM lParam = text ? reinterpret_cast<LPARAM>(text->data()) : 0;
    return SendMessageA(window, message, wParam, lParam);
}

} // namespace

// The send is made from another thread because a timed-out send does not always end at its
// timeout (under Wine, a send to another process whose thread is busy waits until that thread
// is free), and because this one must keep taking its own events while the client is slow.
// One send, never retried: every message reaches the client at most once.
std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam,
                                   Clock::time_point deadline, std::string* text,
                                   std::shared_ptr<const LateSend>* late) {
    if (!IsWindow(window) || StillBlocked(window))
        return std::nullopt;
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        return SendHere(window, message, wParam, text);

    auto job = std::make_shared<Job>(window, message, wParam, text, MillisecondsUntil(deadline));
    auto* forSender = new std::shared_ptr<Job>(job);
    if (!job->done || !TrySubmitThreadpoolCallback(Sender, forSender, nullptr)) {
        delete forSender;
        return std::nullopt;
    }
    const HANDLE sender = job->done;
    const auto start = Clock::now();
    bool done = false;
    for (;;) {
        // Until the window is slow only messages sent to us are taken, so a healthy client
        // sees the same order of events as a plain send gives.
        const bool slow = Clock::now() - start >= kSlow;
        const DWORD wake = slow ? QS_ALLINPUT : QS_SENDMESSAGE;
        const DWORD wait = std::min<DWORD>(MillisecondsUntil(deadline), slow ? 30 : 5);
        if (MsgWaitForMultipleObjectsEx(1, &sender, wait, wake, 0) == WAIT_OBJECT_0) {
            done = true;
            break;
        }
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (slow)
            RunPendingEvents();
        // A client that died takes its windows with it: no point waiting out the bound.
        if (!IsWindow(window) || Clock::now() >= deadline)
            break;
    }
    if (!done) {
        KeepBlocked(window, job);
        if (late)
            *late = job;
        return std::nullopt;
    }
    if (!job->answered)
        return std::nullopt;
    if (text)
        *text = job->text;
    return static_cast<LRESULT>(job->result);
}

} // namespace Korvelix6o
