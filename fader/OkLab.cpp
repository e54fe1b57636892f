#include "OkLab.h"

#include <bit>
#include <cmath>
#include <limits>

namespace WendrikFaderV2::OkLab {

namespace {

// The transfer function, an encoded component 0..1 to linear light.
double Linear(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double Encoded(double linear) {
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

} // namespace

Lab FromColour(Colour c) {
    static constexpr double kLmsFromLinear[3][3] = {{0.4122214708, 0.5363325363, 0.0514459929},
                                                    {0.2119034982, 0.6806995451, 0.1073969566},
                                                    {0.0883024619, 0.2817188376, 0.6299787005}};
    static constexpr double kLabFromRoots[3][3] = {{0.2104542553, +0.7936177850, -0.0040720468},
                                                   {1.9779984951, -2.4285922050, +0.4505937099},
                                                   {0.0259040371, +0.7827717662, -0.8086757660}};
    const Components lms =
        Times(kLmsFromLinear,
              {Linear(GetRed(c) / 255.0), Linear(GetGreen(c) / 255.0), Linear(GetBlue(c) / 255.0)});
    return Times(kLabFromRoots, {std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])});
}

Mix::Mix(const Lab& from, const Lab& to, double scale) {
    // Each root is p + t d, and (p + t d)^3 = p^3 + 3 p^2 d t + 3 p d^2 t^2 + d^3 t^3; the matrix
    // to linear light takes each power of t on its own.
    const Components p = Times(kRootsFromLab, from), end = Times(kRootsFromLab, to);
    Components d;
    for (int k = 0; k < 3; ++k)
        d[k] = end[k] - p[k];
    power_[0] = ToLinear(from);
    Components weight;
    for (int k = 0; k < 3; ++k)
        weight[k] = 3 * p[k] * p[k] * d[k];
    power_[1] = Times(kLinearFromLms, weight);
    for (int k = 0; k < 3; ++k)
        weight[k] = 3 * p[k] * d[k] * d[k];
    power_[2] = Times(kLinearFromLms, weight);
    for (int k = 0; k < 3; ++k)
        weight[k] = d[k] * d[k] * d[k];
    power_[3] = Times(kLinearFromLms, weight);
    for (Components& power : power_)
        for (double& coefficient : power)
            coefficient *= scale;
}

int EncodedCode(double linear) {
    return RoundHalfEven(std::clamp(255 * Encoded(linear), 0.0, 255.0));
}

const Codes& Codes::Get() {
    static const Codes codes;
    return codes;
}

Codes::Codes() {
    constexpr double kUp = std::numeric_limits<double>::infinity();
    bound_[0] = -kUp;
    for (int c = 0; c < 255; ++c) {
        // From the halfway code's linear value to the exact step: a few last bits at most.
        double x = Linear((c + 0.5) / 255);
        while (EncodedCode(x) > c)
            x = std::nextafter(x, -kUp);
        while (EncodedCode(x) <= c)
            x = std::nextafter(x, kUp);
        bound_[c + 1] = x * kScale;
    }
    bound_[256] = kUp;
    low_[0] = std::numeric_limits<std::int64_t>::min();
    for (int c = 1; c < 256; ++c)
        low_[c] = std::bit_cast<std::int64_t>(bound_[c]);
    low_[256] = std::numeric_limits<std::int64_t>::max();
    int code = 0;
    for (int k = 0; k <= kBuckets; ++k) {
        while (k >= bound_[code + 1])
            ++code;
        first_[k] = static_cast<std::uint8_t>(code);
    }
}

} // namespace WendrikFaderV2::OkLab
