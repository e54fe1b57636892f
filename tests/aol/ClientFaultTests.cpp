// Posting into a client whose input lives on another thread of this process, which can be kept
// busy, killed or left hung: our thread must keep taking its posted messages, the carriage
// return must arrive once, and the user's draft must not be lost.
#include "FakeClient.h"
#include "Korvelix6o.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <tuple>
#include <utility>

using namespace Korvelix6o;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr UINT kBusy = WM_APP + 1; // thread message: the client thread sleeps for wParam ms

// The client's windows, made and served by their own thread.
class ClientThread {
  public:
    ClientThread() {
        std::promise<std::pair<HWND, DWORD>> ready;
        auto started = ready.get_future();
        thread_ = std::thread([&ready] {
            FakeClient client;
            ready.set_value({Input(client.AddRoom()), GetCurrentThreadId()});
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (!msg.hwnd && msg.message == kBusy)
                    Sleep(static_cast<DWORD>(msg.wParam));
                DispatchMessageW(&msg);
            }
        });
        std::tie(input_, threadId_) = started.get();
    }
    ~ClientThread() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND input() const { return input_; }
    void BusyFor(std::chrono::milliseconds time) const {
        PostThreadMessageW(threadId_, kBusy, static_cast<WPARAM>(time.count()), 0);
    }

  private:
    std::thread thread_;
    DWORD threadId_ = 0;
    HWND input_ = nullptr;
};

// Posts a time stamp to a window of this thread every few milliseconds and keeps the longest
// time one of them waited to be taken: how long our window would have ignored paint and input.
class ResponsivenessProbe {
  public:
    ResponsivenessProbe() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Quillon Test Probe";
        RegisterClassExW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, wc.hInstance, nullptr);
        longest = {};
        poster_ = std::thread([this] {
            while (!stop_) {
                PostMessageW(window_, WM_APP, 0, Clock::now().time_since_epoch().count());
                std::this_thread::sleep_for(10ms);
            }
        });
    }
    ~ResponsivenessProbe() {
        stop_ = true;
        poster_.join();
        DestroyWindow(window_);
    }
    static inline Clock::duration longest{};

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg != WM_APP)
            return DefWindowProcW(w, msg, wp, lp);
        const auto waited = Clock::now() - Clock::time_point(Clock::duration(lp));
        longest = std::max(longest, waited);
        return 0;
    }
    HWND window_ = nullptr;
    std::atomic<bool> stop_{false};
    std::thread poster_;
};

std::wstring TextOf(HWND w) {
    wchar_t buffer[256] = {};
    GetWindowTextW(w, buffer, 256);
    return buffer;
}

using Lines = std::vector<std::wstring>;

// The quarter second the user can wait for a click or a key to show.
constexpr auto kResponsive = 250ms;

TEST(BusyClient, ShortHangsAndSlowHandlersCostOnlyTimeAndEachMessageArrivesOnce) {
    enum class Busy { BeforeThePost, InItsEnterHandling, InEverySetText };
    for (const Busy busy : {Busy::BeforeThePost, Busy::InItsEnterHandling, Busy::InEverySetText}) {
        SCOPED_TRACE(static_cast<int>(busy));
        const ClientThread client;
        SetWindowTextW(client.input(), L"hello");
        // Far longer than one try of a bounded send: a carriage return sent again, or a text
        // set again and again, would show here.
        switch (busy) {
        case Busy::BeforeThePost:
            client.BusyFor(1500ms);
            std::this_thread::sleep_for(100ms); // it has taken the order and sleeps
            break;
        case Busy::InItsEnterHandling:
            Inputs().enterBusyMs = 1500;
            break;
        case Busy::InEverySetText:
            Inputs().setTextBusyMs = 300;
            break;
        }

        PostResult result;
        {
            const ResponsivenessProbe probe;
            result = ChatSend(u"hi");
        }
        EXPECT_TRUE(result.taken);
        EXPECT_EQ(result.heldDraft, u"");
        EXPECT_EQ(Inputs().lines, Lines{L"hi"});
        EXPECT_EQ(Inputs().clears, 1);
        EXPECT_EQ(TextOf(client.input()), L"hello");
        EXPECT_LT(ResponsivenessProbe::longest, kResponsive);
    }
}

TEST(BusyClient, LongHangEndsThePostAndTheDraftGoesBackLaterIntoAnEmptyInputOnly) {
    const ClientThread client;
    SetWindowTextW(client.input(), L"hello");
    Inputs().enterBusyMs = 13000; // beyond the post's 10 s and the second to put the draft back

    const auto start = Clock::now();
    PostResult result;
    {
        const ResponsivenessProbe probe;
        result = ChatSend(u"hi");
    }
    const auto spent = Clock::now() - start;
    EXPECT_FALSE(result.taken);
    EXPECT_EQ(result.heldDraft, u"hello");
    EXPECT_LT(spent, 12500ms); // the bound, not the hang
    EXPECT_LT(ResponsivenessProbe::longest, kResponsive);
    EXPECT_FALSE(PutBackDraft(u"hello")); // still busy

    // Once the client is back it sends the line (once) and empties its input; what we tried
    // to send it meanwhile was cancelled, not delivered late.
    for (int i = 0; i < 100 && Inputs().lines.empty(); ++i)
        std::this_thread::sleep_for(100ms);
    EXPECT_EQ(Inputs().lines, Lines{L"hi"});
    EXPECT_EQ(TextOf(client.input()), L"");
    SetWindowTextW(client.input(), L"typed meanwhile");
    EXPECT_FALSE(PutBackDraft(u"hello"));
    EXPECT_EQ(TextOf(client.input()), L"typed meanwhile");
    SetWindowTextW(client.input(), L"");
    EXPECT_TRUE(PutBackDraft(u"hello"));
    EXPECT_EQ(TextOf(client.input()), L"hello");
    EXPECT_TRUE(PutBackDraft(u"hello")); // already there: nothing more to do
    EXPECT_EQ(Inputs().lines, Lines{L"hi"});
}

TEST(BusyClient, ClientDyingInThePostEndsItAtOnceAndTheNextOneWorks) {
    {
        const ClientThread client;
        Inputs().enterBusyMs = 200;
        Inputs().closeOnEnter = true;
        const auto start = Clock::now();
        EXPECT_FALSE(ChatSend(u"last words").taken);
        EXPECT_LT(Clock::now() - start, 5s); // well inside the post's 10 s bound
        EXPECT_EQ(Inputs().lines, Lines{L"last words"});
    }
    const ClientThread client;
    EXPECT_TRUE(ChatSend(u"again").taken);
    EXPECT_EQ(Inputs().lines, Lines{L"again"});
}

} // namespace
