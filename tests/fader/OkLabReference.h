// A slow, plain OKLab fade to hold the fader's against: Björn Ottosson's matrices as his OKLab
// article prints them, copied here on their own, the sRGB transfer function with std::pow, and at
// each position the Lab values of the segment's two ends mixed and taken all the way back.
// Shared by the fader tests and the fuzz target.
#pragma once

#include "WendrikFaderV2.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace FaderTest {

using Lab3 = std::array<double, 3>;   // L, a, b
using Rgb255 = std::array<double, 3>; // each 255 times the encoded component, clipped, unrounded

inline Lab3 ReferenceLab(WendrikFaderV2::Colour colour) {
    const int codes[3] = {WendrikFaderV2::GetRed(colour), WendrikFaderV2::GetGreen(colour),
                          WendrikFaderV2::GetBlue(colour)};
    double linear[3];
    for (int c = 0; c < 3; ++c) {
        const double e = codes[c] / 255.0;
        linear[c] = e <= 0.04045 ? e / 12.92 : std::pow((e + 0.055) / 1.055, 2.4);
    }
    const auto [r, g, b] = linear;
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

inline double ReferenceEncoded255(double linear) {
    const double e =
        linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return std::clamp(255 * e, 0.0, 255.0);
}

inline Rgb255 ReferenceBack(const Lab3& lab) {
    const auto [L, a, b] = lab;
    const double l_ = L + 0.3963377774 * a + 0.2158037573 * b;
    const double m_ = L - 0.1055613458 * a - 0.0638541728 * b;
    const double s_ = L - 0.0894841775 * a - 1.2914855480 * b;
    const double l = l_ * l_ * l_, m = m_ * m_ * m_, s = s_ * s_ * s_;
    return {ReferenceEncoded255(+4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
            ReferenceEncoded255(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
            ReferenceEncoded255(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
}

inline int RoundedTo255(double value) {
    return static_cast<int>(std::nearbyint(value)); // halves to even in the default mode
}

// Whether the fader's code for a component agrees with the reference's unrounded value. The
// fader mixes the same Lab values by another route, equal but for the last bits, so a value
// within a hair of a rounding boundary may go either way; `nearBoundary` counts those.
inline bool AgreesWith(int code, double reference, int& nearBoundary) {
    if (code == RoundedTo255(reference))
        return true;
    constexpr double kHair = 1e-8;
    const bool near =
        std::abs(reference - (code + 0.5)) < kHair || std::abs(reference - (code - 0.5)) < kHair;
    nearBoundary += near;
    return near;
}

// The OKLab fade of n positions over the colours (at least two), as the fader's positions have
// it: segment i covers positions (i - 1) m + 1 to i m with m = n / (U - 1), its position j lies
// (j - 1) / q of the way with q = n / (U - 1), and the remainder is the last colour.
class ReferenceFade {
  public:
    ReferenceFade(const std::vector<WendrikFaderV2::Colour>& colours, int n)
        : segments_(static_cast<int>(colours.size()) - 1), m_(n / segments_),
          q_(static_cast<double>(n) / segments_) {
        for (WendrikFaderV2::Colour c : colours)
            labs_.push_back(ReferenceLab(c));
    }

    // Position k, 1..n.
    Rgb255 At(int k) const {
        if (m_ == 0 || k > m_ * segments_)
            return ReferenceBack(labs_.back());
        const int i = (k - 1) / m_, j = (k - 1) % m_ + 1;
        const double t = (j - 1) / q_;
        const Lab3 &from = labs_[i], &to = labs_[i + 1];
        return ReferenceBack({from[0] + t * (to[0] - from[0]), from[1] + t * (to[1] - from[1]),
                              from[2] + t * (to[2] - from[2])});
    }

  private:
    int segments_, m_;
    double q_;
    std::vector<Lab3> labs_;
};

} // namespace FaderTest
