// Quillon's posts, made one after another on a thread of their own, and the user's drafts that
// they had to hold. The window's thread hands lines over and is told, by a posted message, what
// became of each; it never waits for the client, so no handler of ours runs inside a post.
#pragma once

#include "Korvelix6o.h"

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillon {

class Poster {
  public:
    // What became of one line handed over.
    struct Done {
        Korvelix6o::PostOutcome outcome;
        std::u16string typed; // the line as the user typed it; empty for our own lines
    };

    // notify receives `message` (wParam and lParam 0) each time there is news to take.
    Poster(HWND notify, UINT message);
    // The post in hand ends within its bound and the held drafts get their last try; lines
    // still waiting are not posted.
    ~Poster();
    Poster(const Poster&) = delete;
    Poster& operator=(const Poster&) = delete;

    // Lines go in the order they were handed over. typed: what to give back on failure.
    void Send(std::u16string markup, std::u16string typed = {});
    // After what is queued: the goodbye line if any, then every held draft's last try, then
    // Ended() turns true.
    void Close(std::optional<std::u16string> goodbye);

    std::vector<Done> TakeDone();
    bool Busy() const;             // a line on its way or waiting
    std::size_t Waiting() const;   // lines waiting behind the one on its way
    std::size_t HeldDrafts() const;
    bool Ended() const;
    // For a session that ends: waits at most `limit` for Ended().
    bool WaitEnded(std::chrono::milliseconds limit);

  private:
    struct Line {
        std::u16string markup;
        std::u16string typed;
    };

    void Run();
    void PostLine(std::unique_lock<std::mutex>& lock);
    void OfferDrafts(std::unique_lock<std::mutex>& lock);
    void Tell();

    const HWND notify_;
    const UINT message_;
    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::condition_variable ended_;
    std::deque<Line> waiting_;
    std::vector<Done> done_;
    std::vector<Korvelix6o::HeldDraft> held_; // touched by the posting thread only, under lock_
    bool inHand_ = false;
    bool closing_ = false;
    bool stopping_ = false;
    bool over_ = false;
    std::thread thread_; // last: starts once everything above is set up
};

} // namespace quillon
