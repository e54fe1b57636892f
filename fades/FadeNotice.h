// What the user is told about the fades file when it could not be used as it stood.
#pragma once

#include "FadeBook.h"

#include <string>
#include <vector>

namespace quillon::fades {

struct Notice {
    std::u16string file;       // the fades file, as the user would look for it
    std::u16string damage;     // why the whole file could not be used; empty when it could
    std::u16string setAsideAs; // where the unusable file now lies; empty when it was not moved
    std::u16string error;      // a read or write that failed, in the system's words
    std::vector<Skipped> skipped;
    std::u16string unknownStart; // a start fade that is not there

    bool Empty() const {
        return damage.empty() && error.empty() && skipped.empty() && unknownStart.empty();
    }
};

// Sentences for a balloon, naming the file; empty when there is nothing to tell.
std::u16string NoticeText(const Notice& notice);

} // namespace quillon::fades
