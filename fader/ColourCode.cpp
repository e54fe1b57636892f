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

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

// Nearest integer, an exact half going to the even neighbour; independent of the FPU rounding
// mode and cheaper than a library call. x - whole is exact for the magnitudes used here.
int RoundHalfEven(double x) {
    int whole = static_cast<int>(x); // toward zero: the floor for x >= 0
    const double fraction = x - whole;
    if (fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0))
        ++whole;
    else if (fraction < -0.5 || (fraction == -0.5 && (whole & 1) != 0))
        --whole;
    return whole;
}

char16_t* WriteHexPair(char16_t* out, double component) {
    // Faded components never leave their segment's endpoints; the clamp only guards the digits.
    const int value = std::clamp(RoundHalfEven(component), 0, 255);
    *out++ = kHexDigits[value >> 4];
    *out++ = kHexDigits[value & 0xF];
    return out;
}

char16_t* WriteColourCode(char16_t* out, const Components& rgb) {
    *out++ = u'#';
    for (double component : rgb)
        out = WriteHexPair(out, component);
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
    char16_t* p = std::copy(kOpen.begin(), kOpen.end(), out);
    if (!Compact)
        *p++ = u'"';
    p = WriteColourCode(p, rgb);
    if (!Compact)
        *p++ = u'"';
    *p++ = u'>';
    return static_cast<std::size_t>(p - out);
}

} // namespace WendrikFaderV2
