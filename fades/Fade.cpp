#include "Fade.h"

#include <array>

namespace quillon::fades {

namespace {

constexpr std::array<std::string_view, 3> kStyleWords = {"plain", "first-bold", "all-bold"};

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string ColourCode(Colour colour) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string code = "#";
    for (const std::uint8_t component : {colour.red, colour.green, colour.blue}) {
        code += kDigits[component >> 4];
        code += kDigits[component & 0xF];
    }
    return code;
}

std::optional<Colour> ParseColourCode(std::string_view code) {
    if (code.size() != 7 || code[0] != '#')
        return std::nullopt;
    std::array<std::uint8_t, 3> components{};
    for (std::size_t k = 0; k < 3; ++k) {
        const int high = HexDigit(code[1 + 2 * k]);
        const int low = HexDigit(code[2 + 2 * k]);
        if (high < 0 || low < 0)
            return std::nullopt;
        components[k] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return Colour{components[0], components[1], components[2]};
}

std::string_view StyleWord(Style style) {
    return kStyleWords[static_cast<std::size_t>(style)];
}

std::optional<Style> ParseStyleWord(std::string_view word) {
    for (std::size_t k = 0; k < kStyleWords.size(); ++k)
        if (word == kStyleWords[k])
            return static_cast<Style>(k);
    return std::nullopt;
}

std::pair<int, int> ColourChecks(std::size_t colourCount) {
    return {colourCount >= 3 ? 1 : 0, colourCount >= 4 ? 1 : 0};
}

std::pair<int, int> StyleChecks(Style style) {
    return {style == Style::FirstBold ? 1 : 0, style == Style::AllBold ? 1 : 0};
}

} // namespace quillon::fades
