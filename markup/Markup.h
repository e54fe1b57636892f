// Chat markup as the room reads it: a line becomes runs of equally styled text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ChatMarkup {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;

    // The one packing of a colour, as Windows and the fader keep it: 0x00BBGGRR, red lowest.
    constexpr std::uint32_t Packed() const {
        return r | (std::uint32_t{g} << 8) | (std::uint32_t{b} << 16);
    }
    static constexpr Rgb Unpacked(std::uint32_t packed) {
        return {static_cast<std::uint8_t>(packed & 0xFF),
                static_cast<std::uint8_t>((packed >> 8) & 0xFF),
                static_cast<std::uint8_t>((packed >> 16) & 0xFF)};
    }
};

struct Style {
    std::wstring face; // empty: the room's own face
    std::optional<Rgb> colour;
    bool bold = false;
    bool sub = false;
    bool sup = false;
    bool operator==(const Style&) const = default;
};

struct StyledRun {
    std::wstring text; // empty for a line break
    Style style;
    bool lineBreak = false;
};

// One stretch of a line as the reader took it: text it shows, a tag it understood, or a line break
// ("<br>" or CR, LF, CR LF). Every character of the line belongs to exactly one piece.
struct MarkupPiece {
    enum class Kind { Text, Tag, Break };
    Kind kind = Kind::Text;
    std::size_t begin = 0, end = 0; // the stretch [begin, end) of the line
    Style style;                    // the style in force: what text shows in
    std::wstring text;              // Text: what is shown for the stretch
};

struct ReadOptions {
    // Numeric character references ("&#937;", "&#x3A9;") are read as the character they name,
    // as HTML reads them; otherwise they are plain text.
    bool references = false;
};

// The pieces of a line in reading order. A reference read as a character is a Text piece of its
// own whose text is that character.
std::vector<MarkupPiece> ReadMarkup(std::wstring_view line, ReadOptions options = {});

// Every line starts plain. Unclosed tags carry on to the end of the line; tags the room does not
// know, and stray '<', are shown as text. "<br>" and CR, LF or CR LF in the text break the line.
std::vector<StyledRun> ParseMarkup(std::wstring_view line, ReadOptions options = {});

// The numeric character reference at the start of text, read as HTML reads one: "&#" and decimal
// digits, or "&#x" and hexadecimal ones, then an optional ";". A code point of 0, beyond U+10FFFF
// or in the surrogate range reads as U+FFFD; 0x80 to 0x9F as their Windows-1252 characters.
// Gives the character (a surrogate pair beyond U+FFFF where wchar_t is 16 bits) and sets length to
// the characters read; gives nothing when text does not start with a reference (no digits, for
// one).
std::wstring ReadReference(std::wstring_view text, std::size_t& length);

// "#RRGGBB" or "RRGGBB", either case.
std::optional<Rgb> ParseColour(std::wstring_view value);

} // namespace ChatMarkup
