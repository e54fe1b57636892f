#include "Spans.h"

#include "Utf16.h"

#include <algorithm>

namespace quillon {

std::vector<CharLook> CarryOver(std::u16string_view before, std::u16string_view after,
                                std::span<const CharLook> shown, const CharLook& unknown) {
    const std::size_t n = after.size(), old = before.size();
    if (after == before)
        return {shown.begin(), shown.end()};
    std::vector<CharLook> shows(n, unknown);
    const std::size_t common = std::min(n, old);
    const std::size_t head = static_cast<std::size_t>(
        std::mismatch(after.begin(), after.begin() + common, before.begin()).first - after.begin());
    const std::size_t tail = static_cast<std::size_t>(
        std::mismatch(after.rbegin(), after.rbegin() + common, before.rbegin()).first -
        after.rbegin());
    const std::size_t keepHead = std::min(head, common - tail);
    const std::size_t keepTail = std::min(tail, common - head);
    std::copy_n(shown.begin(), keepHead, shows.begin());
    std::copy_n(shown.end() - keepTail, keepTail, shows.end() - keepTail);
    return shows;
}

std::pair<std::size_t, std::size_t> WholeCharacters(std::u16string_view text, std::size_t from,
                                                    std::size_t to) {
    if (utf16::SplitsPair(text, from))
        --from;
    if (utf16::SplitsPair(text, to))
        ++to;
    return {from, to};
}

std::pair<std::size_t, std::size_t> CharactersInView(std::u16string_view text, std::size_t oneEdge,
                                                     std::size_t otherEdge, std::size_t margin) {
    const std::size_t n = text.size();
    const std::size_t low = std::min({oneEdge, otherEdge, n});
    const std::size_t high = std::min(std::max(oneEdge, otherEdge), n);
    return WholeCharacters(text, low - std::min(low, margin), std::min(n, high + 1 + margin));
}

} // namespace quillon
