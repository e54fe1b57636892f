// The store's changes, made one after another on a thread of their own, so that the window that
// asks for them never waits for the disk or for another Quillon's lock. Each result waits here
// until the window takes it; the window is told by a posted message that carries nothing, so
// news that comes when the window is gone leaves nothing behind. Windows only.
#pragma once

#include "FadeStore.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillon::fades {

class StoreWorker {
  public:
    struct Job {
        enum class Kind { Save, Delete, SetStart };
        Kind kind = Kind::Save;
        Fade fade;                          // Save: the fade, under its name
        Replace replace = Replace::No;      // Save
        std::optional<std::u16string> name; // Delete; SetStart, where nothing is the design values
        // Save: once saved, start with it, in the same job, so a close right after keeps both.
        bool thenStart = false;

        static Job Save(Fade fade, Replace replace, bool thenStart);
        static Job Delete(std::u16string name);
        static Job SetStart(std::optional<std::u16string> name);
    };
    struct Done {
        Job job;
        Update update;
        std::optional<Update> start; // for a save that was to be started with, and was made
    };

    // notify receives `message` (wParam and lParam 0) each time a result waits.
    StoreWorker(FadeStore store, HWND notify, UINT message);
    // Every job handed over is made first, each within the store's bounds; results not taken go.
    ~StoreWorker();
    StoreWorker(const StoreWorker&) = delete;
    StoreWorker& operator=(const StoreWorker&) = delete;

    void Hand(Job job); // made after every job handed over before it
    std::vector<Done> TakeDone();

  private:
    void Run();
    Done Make(Job job) const;

    const FadeStore store_;
    const HWND notify_;
    const UINT message_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Job> waiting_;
    std::vector<Done> done_;
    bool stopping_ = false;
    std::thread thread_; // last: starts once everything above is set up
};

} // namespace quillon::fades
