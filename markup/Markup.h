// Chat markup as the room reads it: a line becomes runs of equally styled text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
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

// The pieces of a line in reading order.
std::vector<MarkupPiece> ReadMarkup(std::wstring_view line);

// Every line starts plain. Unclosed tags carry on to the end of the line; tags the room does not
// know, and stray '<', are shown as text. "<br>" and CR, LF or CR LF in the text break the line.
std::vector<StyledRun> ParseMarkup(std::wstring_view line);

// "#RRGGBB" or "RRGGBB", either case.
std::optional<Rgb> ParseColour(std::wstring_view value);
