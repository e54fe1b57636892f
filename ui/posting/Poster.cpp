#include "Poster.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace quillon {

namespace {
// A held draft is offered again this often while the client may come back.
constexpr auto kRetry = std::chrono::seconds(1);

template <class T> void Append(std::vector<T>& to, std::vector<T>&& from) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}
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

Poster::LineId Poster::Send(std::u16string markup, std::u16string typed) {
    LineId id = 0;
    {
        const std::lock_guard guard(lock_);
        if (closing_ || stopping_)
            return 0;
        id = ++lastId_;
        waiting_.push_back({std::move(markup), std::move(typed), id});
    }
    wake_.notify_all();
    return id;
}

void Poster::Close(std::optional<std::u16string> goodbye) {
    {
        const std::lock_guard guard(lock_);
        if (closing_ || stopping_)
            return;
        if (goodbye)
            waiting_.push_back({std::move(*goodbye), {}, ++lastId_});
        closing_ = true;
    }
    wake_.notify_all();
}

Poster::News Poster::TakeNews() {
    const std::lock_guard guard(lock_);
    return std::exchange(news_, {});
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
    return draftsHeld_;
}

void Poster::CountDrafts() {
    draftsHeld_ = static_cast<std::size_t>(std::count_if(
        held_.begin(), held_.end(), [](const Held& h) { return !h.draft.text.empty(); }));
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
    OfferDrafts(lock, true);
    over_ = true;
    lock.unlock();
    ended_.notify_all();
    Tell();
}

void Poster::PostLine(std::unique_lock<std::mutex>& lock) {
    // A line of ours that a client left in its input must be out of it before the next post
    // reads that input, or it would pass for the user's draft.
    if (!held_.empty())
        OfferDrafts(lock);
    Line line = std::move(waiting_.front());
    waiting_.pop_front();
    inHand_ = true;
    lock.unlock();
    Korvelix6o::PostResult result = Korvelix6o::ChatSend(line.markup);
    lock.lock();
    inHand_ = false;
    Done done{result.outcome, std::move(line.typed), line.id};
    if (result.held) {
        const bool watched = result.held->fate == Korvelix6o::LineFate::mayGo;
        held_.push_back({std::move(*result.held), watched ? done : Done{result.outcome, {}, 0},
                         std::chrono::steady_clock::now() + kWatch});
    }
    CountDrafts();
    news_.done.push_back(std::move(done));
    // The user's lines behind a failed one do not overtake it: they come back with it, in order,
    // as lines that never went.
    if (!result.taken() && !news_.done.back().typed.empty()) {
        const auto behind = Korvelix6o::MayHaveGone(result.outcome)
                                ? Korvelix6o::PostOutcome::notTaken
                                : result.outcome;
        const auto firstOurs = std::stable_partition(
            waiting_.begin(), waiting_.end(), [](const Line& l) { return !l.typed.empty(); });
        for (auto it = waiting_.begin(); it != firstOurs; ++it)
            news_.done.push_back({behind, std::move(it->typed), it->id});
        waiting_.erase(waiting_.begin(), firstOurs);
    }
    Tell();
}

// Each draft goes back only into its own input, and only while that is empty; the lock is let go
// meanwhile, since the client may take up to its bound to answer. Every answered look at an input
// also tells whether a line that may still go has gone. last: Quillon ends, and a draft that
// cannot go back now goes back to the user.
void Poster::OfferDrafts(std::unique_lock<std::mutex>& lock, bool last) {
    using Korvelix6o::LineFate;
    std::vector<Held> held = std::exchange(held_, {});
    const std::size_t draftsBefore = draftsHeld_;
    lock.unlock();
    News news;
    const auto now = std::chrono::steady_clock::now();
    std::erase_if(held, [&](Held& h) {
        const bool watched = h.draft.fate == LineFate::mayGo;
        const Korvelix6o::PutBack back = Korvelix6o::PutBackDraft(h.draft);
        if (watched && h.draft.fate == LineFate::went && !h.line.typed.empty())
            news.wentLate.push_back({Korvelix6o::PostOutcome::taken, h.line.typed, h.line.id});
        else if (h.draft.fate == LineFate::mayGo && now >= h.watchUntil)
            h.draft.fate = LineFate::settled; // an empty input this late tells nothing of ours
        const bool over = back != Korvelix6o::PutBack::later || last;
        if (over && back != Korvelix6o::PutBack::done && !h.draft.text.empty())
            news.draftsBack.push_back(h.draft.text);
        return over;
    });
    lock.lock();
    held_.insert(held_.begin(), std::make_move_iterator(held.begin()),
                 std::make_move_iterator(held.end()));
    CountDrafts();
    const bool toTell = !news.Empty() || draftsHeld_ != draftsBefore; // the window counts them
    Append(news_.wentLate, std::move(news.wentLate));
    Append(news_.draftsBack, std::move(news.draftsBack));
    if (toTell)
        Tell();
}

} // namespace quillon
