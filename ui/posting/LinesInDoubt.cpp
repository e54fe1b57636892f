#include "LinesInDoubt.h"

#include <algorithm>

namespace quillon {

void LinesInDoubt::Add(Id id, std::u16string line, Clock::time_point now) {
    if (entries_.size() == kMost)
        entries_.pop_front();
    entries_.push_back({id, std::move(line), now});
}

std::optional<std::u16string> LinesInDoubt::Went(Id id) {
    const auto it =
        std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (it == entries_.end())
        return std::nullopt;
    std::u16string line = std::move(it->line);
    entries_.erase(it);
    return line;
}

std::optional<std::u16string> LinesInDoubt::In(std::u16string_view text,
                                               Clock::time_point now) const {
    for (const Entry& entry : entries_)
        if (now - entry.since < kFor && FindPart(text, entry.line))
            return entry.line;
    return std::nullopt;
}

void LinesInDoubt::Forget(std::u16string_view line) {
    std::erase_if(entries_, [line](const Entry& e) { return e.line == line; });
}

std::optional<std::size_t> FindPart(std::u16string_view text, std::u16string_view part) {
    if (part.empty())
        return std::nullopt;
    for (std::size_t at = text.find(part); at != std::u16string_view::npos;
         at = text.find(part, at + 1)) {
        const std::size_t end = at + part.size();
        if ((at == 0 || text[at - 1] == u' ') && (end == text.size() || text[end] == u' '))
            return at;
    }
    return std::nullopt;
}

std::u16string WithoutPart(std::u16string_view text, std::size_t at, std::size_t length) {
    std::size_t end = std::min(at + length, text.size());
    if (end < text.size())
        ++end; // the space that parted it from what follows
    else if (at > 0)
        --at; // the last part: the space before it
    return std::u16string(text.substr(0, at)).append(text.substr(end));
}

} // namespace quillon
