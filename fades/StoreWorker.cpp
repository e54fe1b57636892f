#include "StoreWorker.h"

#include <utility>

namespace quillon::fades {

StoreWorker::Job StoreWorker::Job::Save(Fade fade, Replace replace, bool thenStart) {
    Job job;
    job.kind = Kind::Save;
    job.fade = std::move(fade);
    job.replace = replace;
    job.thenStart = thenStart;
    return job;
}

StoreWorker::Job StoreWorker::Job::Delete(std::u16string name) {
    Job job;
    job.kind = Kind::Delete;
    job.name = std::move(name);
    return job;
}

StoreWorker::Job StoreWorker::Job::SetStart(std::optional<std::u16string> name) {
    Job job;
    job.kind = Kind::SetStart;
    job.name = std::move(name);
    return job;
}

StoreWorker::StoreWorker(FadeStore store, HWND notify, UINT message)
    : store_(std::move(store)), notify_(notify), message_(message), thread_([this] { Run(); }) {}

StoreWorker::~StoreWorker() {
    {
        const std::lock_guard guard(lock_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void StoreWorker::Hand(Job job) {
    {
        const std::lock_guard guard(lock_);
        waiting_.push_back(std::move(job));
    }
    wake_.notify_all();
}

std::vector<StoreWorker::Done> StoreWorker::TakeDone() {
    const std::lock_guard guard(lock_);
    return std::exchange(done_, {});
}

void StoreWorker::Run() {
    std::unique_lock lock(lock_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty())
            break; // stopping, with nothing left to make
        Job job = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();
        Done done = Make(std::move(job));
        lock.lock();
        done_.push_back(std::move(done));
        PostMessageW(notify_, message_, 0, 0);
    }
}

StoreWorker::Done StoreWorker::Make(Job job) const {
    Done done{std::move(job), {}, std::nullopt};
    const Job& j = done.job;
    switch (j.kind) {
    case Job::Kind::Save:
        done.update = store_.Save(j.fade, j.replace);
        if (j.thenStart &&
            (done.update.outcome == Outcome::Done || done.update.outcome == Outcome::Unchanged))
            done.start = store_.SetStart(j.fade.name);
        break;
    case Job::Kind::Delete:
        done.update = store_.Delete(j.name.value_or(u""));
        break;
    case Job::Kind::SetStart:
        done.update = j.name ? store_.SetStart(*j.name) : store_.SetStart(std::nullopt);
        break;
    }
    return done;
}

} // namespace quillon::fades
