#include "Caret.h"

#include "Graphemes.h"

namespace quillon {

namespace {

// The start and end of the cluster holding the unit at pos (pos < text.size()).
std::pair<std::size_t, std::size_t> ClusterAround(std::u16string_view text, std::size_t pos) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = WendrikFaderV2::ClusterEnd(text, start);
        if (end > pos)
            return {start, end};
        start = end;
    }
}

} // namespace

std::size_t ClusterBoundaryBefore(std::u16string_view text, std::size_t pos) {
    if (pos >= text.size())
        return text.size();
    return ClusterAround(text, pos).first;
}

std::size_t ClusterBoundaryAfter(std::u16string_view text, std::size_t pos) {
    if (pos >= text.size())
        return text.size();
    const auto [start, end] = ClusterAround(text, pos);
    return start == pos ? pos : end;
}

} // namespace quillon
