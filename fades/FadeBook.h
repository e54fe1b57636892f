// The fades file as Quillon reads it: the user's saved fades and the start fade, with whatever else
// the file holds kept for the next rewrite. No input or output here: the store reads and writes.
#pragma once

#include "Fade.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillon::fades {

enum class Replace { No, Yes };

// What a change to the fades came to.
enum class Outcome {
    Done,        // changed, and in the store also written
    Unchanged,   // nothing to change, so nothing written
    NameTaken,   // a fade has that name: ask, then save again with Replace::Yes
    BuiltInName, // a built-in fade cannot be replaced
    BadName,     // CheckName tells why
    BadFade,     // not 2 to 4 colours, or a font that is no font name (CheckFont tells why)
    UnknownFade, // no saved or built-in fade has that name
    Busy,        // the store: another Quillon kept the file locked too long
    // The change would leave more than kMaxFades fades or a file larger than kMaxFileBytes, which
    // Quillon would not read back.
    Full,
    Failed, // the store: the file could not be read or written; it is as it was
};

// An entry of the file that is not offered, and why. Entries count from 1. The reason quotes
// nothing from the file longer than a name may be.
struct Skipped {
    std::size_t entry = 0;
    std::u16string why;
    bool pastLimit = false; // a good fade after the first kMaxFades
    friend bool operator==(const Skipped&, const Skipped&) = default;
};

// Why a whole file cannot be used.
struct Damage {
    std::u16string why;
};

class FadeBook {
  public:
    // A longer file is no hand-kept list of fades; it is treated as damaged. 200 fades with the
    // longest names and fonts take less than 90 KB.
    static constexpr std::size_t kMaxFileBytes = 256 * 1024;
    // The fades offered: the first ones of the file; good entries after them are left out.
    static constexpr std::size_t kMaxFades = 200;

    FadeBook(); // no file: nothing saved, start from the design values
    FadeBook(const FadeBook& other);
    FadeBook(FadeBook&& other) noexcept;
    FadeBook& operator=(const FadeBook& other);
    FadeBook& operator=(FadeBook&& other) noexcept;
    ~FadeBook();

    // Damage: not JSON in UTF-8, not an object, "fades" not a list, "start" not a string, too
    // large or too deeply nested. A bad entry is only skipped, and kept as it is on rewrite.
    static std::variant<FadeBook, Damage> Parse(std::string_view bytes);
    std::string Serialise() const; // UTF-8, indented, ending in a line break

    const std::vector<Fade>& Saved() const { return saved_; } // in file order
    const std::vector<Skipped>& SkippedEntries() const { return skipped_; }
    // The start fade's name, when "start" names a saved or built-in fade.
    const std::optional<std::u16string>& Start() const { return start_; }
    // A "start" that names no fade (or is longer than a name), as a notice shows it (ShownName);
    // Quillon then starts from the design values.
    const std::optional<std::u16string>& UnknownStart() const { return unknownStart_; }

    // A saved or built-in fade by name; a built-in one has colours only.
    std::optional<Look> Find(std::u16string_view name) const;
    std::optional<Look> StartLook() const;

    // The name is trimmed first. A taken name needs Replace::Yes; a built-in one, or one that
    // could pass for it (BuiltInLookingLike), is refused.
    Outcome Save(const Fade& fade, Replace replace);
    Outcome Delete(std::u16string_view name);                  // a start naming it goes too
    Outcome SetStart(std::optional<std::u16string_view> name); // nothing: the design values

  private:
    struct Document;
    void Rebuild();
    // Takes next for this book, unless its file would be too large to read back: Failed.
    Outcome Adopt(FadeBook next);

    std::unique_ptr<Document> doc_;
    std::vector<Fade> saved_;
    std::vector<Skipped> skipped_;
    std::optional<std::u16string> start_;
    std::optional<std::u16string> unknownStart_;
};

} // namespace quillon::fades
