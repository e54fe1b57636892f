#include "ColourCode.h"

#include "WendrikFaderV2.h"

#include <algorithm>

namespace WendrikFaderV2 {

std::int16_t GetRed(Colour c) {
    return static_cast<std::int16_t>(c & 0xFF);
}
std::int16_t GetGreen(Colour c) {
    return static_cast<std::int16_t>((c / 256) & 0xFF);
}
std::int16_t GetBlue(Colour c) {
    return static_cast<std::int16_t>((c / 65536) & 0xFF);
}

std::string& PadHex(std::string& hex) {
    while (hex.size() < 2)
        hex.insert(hex.begin(), '0');
    return hex;
}

namespace {

char16_t* WriteColourCode(char16_t* out, const Components& rgb) {
    *out++ = u'#';
    for (double component : rgb)
        out = std::copy_n(kHexPairs[RoundedComponent(component)].data(), 2, out);
    return out;
}

} // namespace

std::u16string ColourCode(const Components& rgb) {
    char16_t code[7];
    WriteColourCode(code, rgb);
    return std::u16string(code, 7);
}

std::size_t WriteFontTag(char16_t* out, const Components& rgb, bool Compact) {
    static constexpr std::u16string_view kOpen = u"<font color=";
    char16_t* p = std::copy_n(kOpen.data(), kOpen.size(), out);
    if (!Compact)
        *p++ = u'"';
    p = WriteColourCode(p, rgb);
    if (!Compact)
        *p++ = u'"';
    *p++ = u'>';
    return static_cast<std::size_t>(p - out);
}

} // namespace WendrikFaderV2
