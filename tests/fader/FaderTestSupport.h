// Colours and helpers shared by the fader tests.
#pragma once

#include "WendrikFaderV2.h"

#include <string>
#include <string_view>
#include <vector>

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

// The "#RRGGBB" codes of FadeTag entries 1..n.
inline std::vector<std::u16string> TableCodes() {
    std::vector<std::u16string> codes;
    for (std::size_t k = 1; k < WendrikFaderV2::FadeTag.size(); ++k) {
        const std::u16string& tag = WendrikFaderV2::FadeTag[k];
        const std::size_t hash = tag.find(u'#');
        codes.push_back(hash == std::u16string::npos ? tag : tag.substr(hash, 7));
    }
    return codes;
}

} // namespace FaderTest
