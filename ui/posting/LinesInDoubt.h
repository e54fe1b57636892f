// The user's lines that may have reached the room although the client never said so: the chat
// client stopped answering, or kept the line in its input, after the carriage return went out.
// Their copies are back in the text line; sending one again could post it twice.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

class LinesInDoubt {
  public:
    using Id = std::uint64_t;
    using Clock = std::chrono::steady_clock;
    // A doubt outlives the minute the line is watched for a little, then it is no news.
    static constexpr auto kFor = std::chrono::seconds(90);

    void Add(Id id, std::u16string line, Clock::time_point now);
    // The line of a post that went after all, now known; nothing when it was not in doubt.
    std::optional<std::u16string> Went(Id id);
    // The first line still in doubt that a text about to be sent holds as a part of its own.
    std::optional<std::u16string> In(std::u16string_view text, Clock::time_point now) const;
    void Forget(std::u16string_view line); // the user chose to send it again

  private:
    struct Entry {
        Id id;
        std::u16string line;
        Clock::time_point since;
    };
    static constexpr std::size_t kMost = 16; // the oldest doubts go first
    std::deque<Entry> entries_;
};

// Where a given-back line sits in the text line: lines given back go in front, each followed by
// a space before what was there. Nothing when `text` does not hold `part` bounded by its ends or
// spaces.
std::optional<std::size_t> FindPart(std::u16string_view text, std::u16string_view part);
// `text` with that part and one space beside it taken out.
std::u16string WithoutPart(std::u16string_view text, std::size_t at, std::size_t length);

} // namespace quillon
