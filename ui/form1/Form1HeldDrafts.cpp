// The user's unsent chat draft, when a post could not put it back because the client stopped
// answering: held here and offered again until the client's input is empty and takes it.
#include "Form1.h"

#include "Korvelix6o.h"

namespace quillon {

namespace {
constexpr UINT kRetryMs = 1000;
} // namespace

void Form1::HoldDraft(std::u16string draft) {
    heldDrafts_.push_back(std::move(draft));
    SetTimer(hwnd_, kHeldDraftTimer, kRetryMs, nullptr);
}

// Kept up for as long as we run: the client may come back at any time.
void Form1::OnDraftTimer() {
    // A post in flight puts its own draft back at its end, over whatever we would put in now;
    // and the put-back lets events run, so this timer can fire inside itself.
    if (postsInFlight_ > 0 || puttingBack_)
        return;
    PutBackHeldDrafts();
}

void Form1::PutBackHeldDrafts() {
    puttingBack_ = true;
    // Into an empty input only, so one at a time: the next waits until the user sent this one.
    // Newest first: it belongs to the room open now, while an older one may come from a client
    // that has gone since and must not take that room's input from its own draft.
    if (!heldDrafts_.empty() && Korvelix6o::PutBackDraft(heldDrafts_.back()))
        heldDrafts_.pop_back();
    puttingBack_ = false;
    if (heldDrafts_.empty() && hwnd_)
        KillTimer(hwnd_, kHeldDraftTimer);
}

} // namespace quillon
