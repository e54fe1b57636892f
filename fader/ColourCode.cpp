#include "WendrikFaderV2.h"

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

} // namespace WendrikFaderV2
