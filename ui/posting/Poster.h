// Quillon's posts, made one after another on a thread of their own, and the user's drafts that
// they had to hold. The window's thread hands lines over and is told, by a posted message, what
// became of each; it never waits for the client, so no handler of ours runs inside a post.
#pragma once

#include "Korvelix6o.h"

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillon {

class Poster {
  public:
    using LineId = std::uint64_t;

    // What became of one line handed over.
    struct Done {
        Korvelix6o::PostOutcome outcome;
        std::u16string typed; // the line as the user typed it; empty for our own lines
        LineId id = 0;
    };

    struct News {
        std::vector<Done> done;     // lines posted or given up on, in order
        std::vector<Done> wentLate; // lines that may have gone, and then did
        // Drafts that can go back nowhere now: their room has gone, or Quillon ends. The user's
        // to keep.
        std::vector<std::u16string> draftsBack;
        bool Empty() const { return done.empty() && wentLate.empty() && draftsBack.empty(); }
    };

    // How long a line that may still go is watched for.
    static constexpr auto kWatch = std::chrono::seconds(60);

    // notify receives `message` (wParam and lParam 0) each time there is news to take.
    Poster(HWND notify, UINT message);
    // The post in hand ends within its bound and the held drafts get their last try; lines
    // still waiting are not posted.
    ~Poster();
    Poster(const Poster&) = delete;
    Poster& operator=(const Poster&) = delete;

    // Lines go in the order they were handed over. typed: what to give back on failure.
    LineId Send(std::u16string markup, std::u16string typed = {});
    // After what is queued: the goodbye line if any, then every held draft's last try (those
    // that still cannot go back come as news), then Ended() turns true.
    void Close(std::optional<std::u16string> goodbye);

    News TakeNews();
    bool Busy() const;             // a line on its way or waiting
    std::size_t Waiting() const;   // lines waiting behind the one on its way
    std::size_t HeldDrafts() const; // the user's drafts waiting to go back
    bool Ended() const;
    // For a session that ends: waits at most `limit` for Ended().
    bool WaitEnded(std::chrono::milliseconds limit);

  private:
    struct Line {
        std::u16string markup;
        std::u16string typed;
        LineId id;
    };
    // What a post left unsettled in an input: the draft, and the line while it may still go.
    struct Held {
        Korvelix6o::HeldDraft draft;
        Done line;
        std::chrono::steady_clock::time_point watchUntil;
    };

    void Run();
    void PostLine(std::unique_lock<std::mutex>& lock);
    void OfferDrafts(std::unique_lock<std::mutex>& lock, bool last = false);
    void CountDrafts(); // under lock_
    void Tell();

    const HWND notify_;
    const UINT message_;
    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::condition_variable ended_;
    std::deque<Line> waiting_;
    News news_;
    std::vector<Held> held_; // touched by the posting thread only, under lock_
    std::size_t draftsHeld_ = 0; // of held_, while held_ may be out for a try
    LineId lastId_ = 0;
    bool inHand_ = false;
    bool closing_ = false;
    bool stopping_ = false;
    bool over_ = false;
    std::thread thread_; // last: starts once everything above is set up
};

} // namespace quillon
