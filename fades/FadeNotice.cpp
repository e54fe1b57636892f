#include "FadeNotice.h"

namespace quillon::fades {

namespace {

std::u16string Number(std::size_t n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

} // namespace

std::u16string NoticeText(const Notice& notice) {
    std::u16string text;
    const auto say = [&](const std::u16string& sentence) {
        if (!text.empty())
            text += u' ';
        text += sentence;
    };
    if (!notice.damage.empty()) {
        say(notice.file + u" could not be read: " + notice.damage + u".");
        say(notice.setAsideAs.empty()
                ? u"It was left as it is, and Quillon started from the design values."
                : u"It was moved to " + notice.setAsideAs +
                      u", and Quillon started from the design values.");
    }
    if (!notice.error.empty())
        say(u"The fades in " + notice.file + u" could not be used: " + notice.error);
    // Entries that could not be read, told by the first; then the good ones past the limit.
    const Skipped* first = nullptr;
    std::size_t count = 0, pastLimit = 0;
    for (const Skipped& skipped : notice.skipped) {
        if (skipped.pastLimit) {
            ++pastLimit;
        } else if (count++ == 0) {
            first = &skipped;
        }
    }
    if (first)
        say((count == 1 ? u"1 fade in " : Number(count) + u" fades in ") + notice.file +
            u" could not be read and " + (count == 1 ? u"is" : u"are") + u" left out (entry " +
            Number(first->entry) + u": " + first->why + (count > 1 ? u"; and more)." : u")."));
    if (pastLimit > 0)
        say(notice.file + u" holds more fades than Quillon offers: it offers the first " +
            Number(FadeBook::kMaxFades) + u" and leaves out " +
            (pastLimit == 1 ? u"the one" : u"the " + Number(pastLimit)) + u" after them.");
    if (!notice.unknownStart.empty())
        say(u"The start fade \"" + notice.unknownStart + u"\" named in " + notice.file +
            u" is not there, so Quillon started from the design values.");
    return text;
}

} // namespace quillon::fades
