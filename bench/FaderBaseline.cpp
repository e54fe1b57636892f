// Built with the earlier fader's headers, its namespace renamed to WendrikFaderBaseline.
#include "FaderBaseline.h"

#include "WendrikFaderV2.h"

namespace FaderBaseline {

std::u16string FadeText(const std::u16string& text, const std::vector<std::int32_t>& colours,
                        bool Wave, bool Compact) {
    return WendrikFaderV2::FadeText(text, colours, Wave, Compact);
}

const char16_t* BuildFadeTable(const std::vector<std::int32_t>& colours, int n, bool Compact) {
    WendrikFaderV2::BuildFadeTable(colours, n, Compact);
    return WendrikFaderV2::FadeTag[1].data();
}

} // namespace FaderBaseline
