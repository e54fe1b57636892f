// Posting into a client whose input lives on another thread of this process, which can be kept
// busy, killed or left hung: the carriage return must arrive once, and the user's draft must not
// be lost.
#include "BoundedSend.h"
#include "FakeClient.h"
#include "Korvelix6o.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace Korvelix6o;
using namespace std::chrono_literals;

namespace {

std::wstring TextOf(HWND w) {
    wchar_t buffer[256] = {};
    GetWindowTextW(w, buffer, 256);
    return buffer;
}

using Lines = std::vector<std::wstring>;

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

        const PostResult result = ChatSend(u"hi");
        EXPECT_TRUE(result.taken());
        EXPECT_FALSE(result.held);
        EXPECT_EQ(Inputs().Lines(), Lines{L"hi"});
        EXPECT_EQ(Inputs().Clears(), 1);
        EXPECT_EQ(TextOf(client.input()), L"hello");
    }
}

void WaitForLines(std::size_t n) {
    for (int i = 0; i < 200 && Inputs().Lines().size() < n; ++i)
        std::this_thread::sleep_for(100ms);
}

// The carriage return went, then the client hung past the bound: the line may still go, and is
// not called "not taken". Once the client answers again, its empty input tells that it went, and
// the draft goes back into that input only while it is empty.
TEST(BusyClient, ALineTakenAfterTheBoundMayStillGoUntilTheClientAnswers) {
    const ClientThread client;
    SetWindowTextW(client.input(), L"hello");
    Inputs().enterBusyMs = 13000; // beyond the post's 10 s and the second to put the draft back

    PostResult result = ChatSend(u"hi");
    EXPECT_EQ(result.outcome, PostOutcome::unanswered);
    ASSERT_TRUE(result.held);
    HeldDraft& held = *result.held;
    EXPECT_EQ(held.text, u"hello");
    EXPECT_EQ(held.input, client.input());
    EXPECT_EQ(held.fate, LineFate::mayGo);
    EXPECT_EQ(PutBackDraft(held), PutBack::later); // still busy
    EXPECT_EQ(held.fate, LineFate::mayGo);

    // Once the client is back it sends the line (once) and empties its input; what we tried
    // to send it meanwhile was cancelled, not delivered late.
    WaitForLines(1);
    EXPECT_EQ(Inputs().Lines(), Lines{L"hi"});
    EXPECT_EQ(TextOf(client.input()), L"");
    SetWindowTextW(client.input(), L"typed meanwhile");
    EXPECT_EQ(PutBackDraft(held), PutBack::later);
    EXPECT_EQ(held.fate, LineFate::went) << "our line has left the input: the client took it";
    EXPECT_EQ(TextOf(client.input()), L"typed meanwhile");
    SetWindowTextW(client.input(), L"");
    EXPECT_EQ(PutBackDraft(held), PutBack::done);
    EXPECT_EQ(TextOf(client.input()), L"hello");
    EXPECT_EQ(PutBackDraft(held), PutBack::done); // already there: nothing more to do
    EXPECT_EQ(Inputs().Lines(), Lines{L"hi"});
}

// With no draft to put back, a client that hung and then kept our line in its input used to
// leave it there: the next post read it as the user's draft and put it back after its own line.
TEST(BusyClient, OurOwnLineLeftInTheInputIsNeverTakenForTheDraft) {
    const ClientThread client;
    Inputs().enterBusyMs = 13000;
    Inputs().emptying = Emptying::Never;

    PostResult result = ChatSend(u"hi");
    EXPECT_EQ(result.outcome, PostOutcome::unanswered);
    ASSERT_TRUE(result.held) << "our line may stay in the input: it is held to be taken out";
    EXPECT_EQ(result.held->text, u"");
    WaitForLines(1);
    EXPECT_EQ(TextOf(client.input()), L"hi");
    EXPECT_EQ(PutBackDraft(*result.held), PutBack::done);
    EXPECT_EQ(result.held->fate, LineFate::kept);
    EXPECT_EQ(TextOf(client.input()), L"");

    Inputs().enterBusyMs = 0;
    Inputs().emptying = Emptying::AtOnce;
    EXPECT_TRUE(ChatSend(u"next").taken());
    EXPECT_EQ(Inputs().Clears(), 0) << "no draft was seen";
    EXPECT_EQ(TextOf(client.input()), L"");
    EXPECT_EQ(Inputs().Lines(), (Lines{L"hi", L"next"}));
}

// As Wine's sends to a busy thread of another process do: the send ends only once the window
// has answered, whatever its timeout.
LRESULT WINAPI SendPastItsTimeout(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT flags, UINT,
                                  PDWORD_PTR result) {
    return SendMessageTimeoutA(w, m, wp, lp, flags, 10000, result);
}

// A put-back that timed out and that the input then refused wrote nothing: the draft is still
// to go back, not counted as there.
TEST(BusyClient, APutBackRefusedAfterItTimedOutIsTriedAgain) {
    const ClientThread client;
    HeldDraft held{client.input(), u"hello", "hi", LineFate::settled, nullptr};
    Inputs().setTextBusyMs = 1500; // longer than a put-back waits
    Inputs().refuseSetText = true;
    SetSendFunction(SendPastItsTimeout);
    EXPECT_EQ(PutBackDraft(held), PutBack::later);
    SetSendFunction(nullptr);
    ASSERT_TRUE(held.write);
    for (int i = 0; i < 50 && !held.write->Done(); ++i)
        std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(held.write->Done());
    EXPECT_EQ(TextOf(client.input()), L"");

    Inputs().setTextBusyMs = 0;
    Inputs().refuseSetText = false;
    EXPECT_EQ(PutBackDraft(held), PutBack::done);
    EXPECT_EQ(TextOf(client.input()), L"hello");
}

TEST(BusyClient, ClientDyingInThePostEndsItAtOnceAndTheNextOneWorks) {
    {
        const ClientThread client;
        Inputs().enterBusyMs = 200;
        Inputs().closeOnEnter = true;
        EXPECT_EQ(ChatSend(u"last words").outcome, PostOutcome::clientGone);
        EXPECT_EQ(Inputs().Lines(), Lines{L"last words"});
    }
    const ClientThread client;
    EXPECT_TRUE(ChatSend(u"again").taken());
    EXPECT_EQ(Inputs().Lines(), Lines{L"again"});
}

} // namespace
