// How long a program's thread leaves its posted messages untaken, measured from a thread of ours.
// A thread blocked in a send still answers sent messages, so only posted ones tell.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

// The longest the window may leave posted input waiting, whatever it is doing.
constexpr unsigned kAnswerBoundMs = 250;

class PostedProbe {
  public:
    // Probes through the edit selection of a combo box of the program (harmless: the box keeps
    // its text). Starts at once; stops when destroyed.
    explicit PostedProbe(HWND comboBox);
    ~PostedProbe();
    PostedProbe(const PostedProbe&) = delete;
    PostedProbe& operator=(const PostedProbe&) = delete;

    // The longest wait for one probe so far, the one still unanswered included.
    unsigned LongestMs() const;
    unsigned Probes() const { return probes_; } // probes answered
    void Reset() { longestMs_ = 0; }

  private:
    HWND combo_;
    std::atomic<bool> stop_{false};
    std::atomic<unsigned> longestMs_{0}, probes_{0};
    std::atomic<long long> pendingSince_{0}; // clock ticks of the unanswered probe's post, or 0
    std::thread thread_;
    void Run();
};
