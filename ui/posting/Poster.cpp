#include "Poster.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace quillon {

namespace {
// A held draft is offered again this often while the client may come back.
constexpr auto kRetry = std::chrono::seconds(1);
} // namespace

Poster::Poster(HWND notify, UINT message)
    : notify_(notify), message_(message), thread_([this] { Run(); }) {}

Poster::~Poster() {
    {
        const std::lock_guard guard(lock_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Poster::Send(std::u16string markup, std::u16string typed) {
    {
        const std::lock_guard guard(lock_);
        if (closing_ || stopping_)
            return;
        waiting_.push_back({std::move(markup), std::move(typed)});
    }
    wake_.notify_all();
}

void Poster::Close(std::optional<std::u16string> goodbye) {
    {
        const std::lock_guard guard(lock_);
        if (closing_ || stopping_)
            return;
        if (goodbye)
            waiting_.push_back({std::move(*goodbye), {}});
        closing_ = true;
    }
    wake_.notify_all();
}

std::vector<Poster::Done> Poster::TakeDone() {
    const std::lock_guard guard(lock_);
    return std::exchange(done_, {});
}

bool Poster::Busy() const {
    const std::lock_guard guard(lock_);
    return inHand_ || !waiting_.empty();
}

std::size_t Poster::Waiting() const {
    const std::lock_guard guard(lock_);
    return waiting_.size();
}

std::size_t Poster::HeldDrafts() const {
    const std::lock_guard guard(lock_);
    return held_.size();
}

bool Poster::Ended() const {
    const std::lock_guard guard(lock_);
    return over_;
}

bool Poster::WaitEnded(std::chrono::milliseconds limit) {
    std::unique_lock lock(lock_);
    return ended_.wait_for(lock, limit, [this] { return over_; });
}

void Poster::Tell() {
    PostMessageW(notify_, message_, 0, 0);
}

void Poster::Run() {
    std::unique_lock lock(lock_);
    for (;;) {
        const auto ready = [this] { return stopping_ || closing_ || !waiting_.empty(); };
        if (held_.empty())
            wake_.wait(lock, ready);
        else if (!wake_.wait_for(lock, kRetry, ready))
            OfferDrafts(lock); // the client may have come back
        if (stopping_)
            break;
        if (!waiting_.empty()) {
            PostLine(lock);
            continue;
        }
        if (closing_)
            break;
    }
    // Nobody offers them once we are gone: every held draft gets its last try.
    OfferDrafts(lock);
    over_ = true;
    done_.clear(); // nothing is left to give back to
    lock.unlock();
    ended_.notify_all();
    Tell();
}

void Poster::PostLine(std::unique_lock<std::mutex>& lock) {
    Line line = std::move(waiting_.front());
    waiting_.pop_front();
    inHand_ = true;
    lock.unlock();
    Korvelix6o::PostResult result = Korvelix6o::ChatSend(line.markup);
    lock.lock();
    inHand_ = false;
    if (result.held)
        held_.push_back(std::move(*result.held));
    done_.push_back({result.outcome, std::move(line.typed)});
    // The user's lines behind a failed one do not overtake it: they come back with it, in order.
    if (!result.taken() && !done_.back().typed.empty()) {
        const auto firstOurs = std::stable_partition(
            waiting_.begin(), waiting_.end(), [](const Line& l) { return !l.typed.empty(); });
        for (auto it = waiting_.begin(); it != firstOurs; ++it)
            done_.push_back({result.outcome, std::move(it->typed)});
        waiting_.erase(waiting_.begin(), firstOurs);
    }
    Tell();
}

// Each draft goes back only into its own input, and only while that is empty; the lock is let go
// meanwhile, since the client may take up to its bound to answer.
void Poster::OfferDrafts(std::unique_lock<std::mutex>& lock) {
    std::vector<Korvelix6o::HeldDraft> drafts = std::move(held_);
    held_.clear();
    const std::size_t before = drafts.size();
    lock.unlock();
    std::erase_if(drafts, [](Korvelix6o::HeldDraft& draft) {
        return Korvelix6o::PutBackDraft(draft) != Korvelix6o::PutBack::later;
    });
    lock.lock();
    held_.insert(held_.begin(), std::make_move_iterator(drafts.begin()),
                 std::make_move_iterator(drafts.end()));
    if (drafts.size() != before)
        Tell();
}

} // namespace quillon
