// Colours and helpers shared by the fader tests.
#pragma once

#include "WendrikFaderV2.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace WendrikFaderV2 {
// GoogleTest shows a table that differs by its entries rather than its bytes.
inline void PrintTo(const TagTable& table, std::ostream* os) {
    *os << table.size() << " entries:";
    for (std::size_t k = 1; k < table.size(); ++k) {
        *os << ' ';
        for (char16_t c : table[k])
            *os << (c < 0x80 ? static_cast<char>(c) : '?');
    }
}
} // namespace WendrikFaderV2

namespace FaderTest {

using WendrikFaderV2::Colour;

inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kGreen = 0x00FF00;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kBlack = 0x000000;

constexpr Colour Rgb(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

// Installs a presenter that records refusals; the default one comes back afterwards.
class RefusalCapture {
  public:
    RefusalCapture() {
        WendrikFaderV2::SetRefusalPresenter(
            [this](std::u16string_view message) { messages.emplace_back(message); });
    }
    ~RefusalCapture() { WendrikFaderV2::SetRefusalPresenter(nullptr); }
    RefusalCapture(const RefusalCapture&) = delete;
    RefusalCapture& operator=(const RefusalCapture&) = delete;

    std::vector<std::u16string> messages;
};

// Every FadeTag entry, 0..n.
inline std::vector<std::u16string> TableEntries() {
    std::vector<std::u16string> entries;
    for (std::size_t k = 0; k < WendrikFaderV2::FadeTag.size(); ++k)
        entries.emplace_back(WendrikFaderV2::FadeTag[k]);
    return entries;
}

// The "#RRGGBB" codes of FadeTag entries 1..n.
inline std::vector<std::u16string> TableCodes() {
    std::vector<std::u16string> codes;
    for (std::size_t k = 1; k < WendrikFaderV2::FadeTag.size(); ++k) {
        const std::u16string_view tag = WendrikFaderV2::FadeTag[k];
        const std::size_t hash = tag.find(u'#');
        codes.emplace_back(hash == std::u16string_view::npos ? tag : tag.substr(hash, 7));
    }
    return codes;
}

} // namespace FaderTest
