// A fade is the look of a line: two to four colours, a style and a font.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::fades {

struct Colour {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// "#RRGGBB" with uppercase digits. Reading takes either case, as people write both.
std::string ColourCode(Colour colour);
std::optional<Colour> ParseColourCode(std::string_view code);

enum class Style { Plain, FirstBold, AllBold };

// "plain", "first-bold", "all-bold": the words the file uses.
std::string_view StyleWord(Style style);
std::optional<Style> ParseStyleWord(std::string_view word);

inline constexpr std::size_t kMinColours = 2;
inline constexpr std::size_t kMaxColours = 4;

struct Fade {
    std::u16string name;
    std::vector<Colour> colours; // kMinColours to kMaxColours
    Style style = Style::Plain;
    std::u16string font; // as the font box holds it: not trimmed, not checked against the fonts
    friend bool operator==(const Fade&, const Fade&) = default;
};

// What choosing a fade sets. A built-in fade has colours only: the style and font stay as they are.
struct Look {
    std::vector<Colour> colours;
    std::optional<Style> style;
    std::optional<std::u16string> font;
    friend bool operator==(const Look&, const Look&) = default;
};

// The check boxes that show a look: Check1 and Check2 (colours 3 and 4 in use) from how many
// colours, Check3 and Check4 (first-bold, all-bold) from the style. Values are 0 or 1.
std::pair<int, int> ColourChecks(std::size_t colourCount);
std::pair<int, int> StyleChecks(Style style);

} // namespace quillon::fades
