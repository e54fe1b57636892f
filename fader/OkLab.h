// OKLab, where equal steps of a mix look equal: Björn Ottosson's matrices from the article that
// introduced it (linear sRGB to LMS, LMS to Lab and back, in double), the sRGB transfer function
// of IEC 61966-2-1, and a way back to 8-bit codes that needs no pow per component.
#pragma once

#include "ColourCode.h"
#include "WendrikFaderV2.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace WendrikFaderV2::OkLab {

using Lab = std::array<double, 3>; // L, a, b

Lab FromColour(Colour c);

// The way back from Lab (Ottosson's inverses of his two matrices), in two steps: the roots of the
// LMS channels, which are linear in Lab, then linear sRGB from their cubes.
inline constexpr double kRootsFromLab[3][3] = {{1, +0.3963377774, +0.2158037573},
                                               {1, -0.1055613458, -0.0638541728},
                                               {1, -0.0894841775, -1.2914855480}};
inline constexpr double kLinearFromLms[3][3] = {{+4.0767416621, -3.3077115913, +0.2309699292},
                                                {-1.2684380046, +2.6097574011, -0.3413193965},
                                                {-0.0041960863, -0.7034186147, +1.7076147010}};

inline Components Times(const double (&matrix)[3][3], const Components& v) {
    return {matrix[0][0] * v[0] + matrix[0][1] * v[1] + matrix[0][2] * v[2],
            matrix[1][0] * v[0] + matrix[1][1] * v[1] + matrix[1][2] * v[2],
            matrix[2][0] * v[0] + matrix[2][1] * v[1] + matrix[2][2] * v[2]};
}

// Linear sRGB, unclipped: a mix of two colours may leave the gamut a little.
inline Components ToLinear(const Lab& lab) {
    const Components roots = Times(kRootsFromLab, lab);
    return Times(kLinearFromLms, {roots[0] * roots[0] * roots[0], roots[1] * roots[1] * roots[1],
                                  roots[2] * roots[2] * roots[2]});
}

// The mix of two colours as linear sRGB against the fraction t of the way from one to the other,
// times a scale that is a power of two (so that the scaling itself is exact). The roots are linear
// in t, so each component is a cubic in t: three multiplications and three additions per
// component instead of two matrices and three cubes. It differs from mixing Lab and converting
// back only in the last bits.
class Mix {
  public:
    Mix() = default;
    Mix(const Lab& from, const Lab& to, double scale);

    Components At(double t) const { return {Cubic(0, t), Cubic(1, t), Cubic(2, t)}; }

  private:
    double Cubic(int c, double t) const {
        return ((power_[3][c] * t + power_[2][c]) * t + power_[1][c]) * t + power_[0][c];
    }

    std::array<Components, 4> power_; // the coefficients of t^0..t^3 of red, green and blue
};

// The 8-bit code of a linear component through the transfer function and std::pow, clipped to
// 0..255 and rounded half to even. Slow; Codes gives the same faster.
int EncodedCode(double linear);

// EncodedCode by looking up instead of a pow: the codes step up at 255 linear values found once
// with EncodedCode itself, so ties and the last bits of pow come out as it has them. Values come
// in units of 1/kScale, as a Mix of that scale gives them, and the table finds the run of values
// that share a code: a mix mostly stays within one run for several positions, and a value known
// to be inside the run needs no look-up. Finding one cuts linear light into buckets of one unit,
// so narrow that none holds two steps (the narrowest code spans 1/(255 * 12.92) > 1/4096): a
// bucket's first code and one comparison give the code.
class Codes {
  public:
    static constexpr double kScale = 4096;

    // The values of one code, low <= value < high, as the bits of doubles read as integers: from
    // 0 up those are in the order of the values, and every value below 0 is code 0's, whose low
    // end is the least integer. So the look whether a value is still in its run compares
    // integers, several to a cycle where doubles go one.
    struct Run {
        std::int64_t low, high;
        std::array<char16_t, 2> digits; // the code as a tag shows it
        bool Holds(std::int64_t bits) const { return bits >= low && bits < high; }
    };
    // Read from memory as an integer, not loaded as a double and moved.
    static std::int64_t Bits(const double& value) {
        std::int64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    }

    static const Codes& Get(); // made at first use

    Run Find(double scaled) const {
        int bucket = static_cast<int>(scaled); // clipped: below 0 and above 1, codes 0 and 255
        bucket = bucket < 0 ? 0 : bucket > kBuckets ? kBuckets : bucket;
        int code = first_[bucket];
        code += scaled >= bound_[code + 1];
        return {low_[code], low_[code + 1], kHexPairs[static_cast<std::size_t>(code)]};
    }

  private:
    static constexpr int kBuckets = static_cast<int>(kScale);
    Codes();

    // bound_[c] is the least value of code c, bound_[0] minus and bound_[256] plus infinity;
    // low_ has them as Run keeps them.
    std::array<double, 257> bound_;
    std::array<std::int64_t, 257> low_;
    std::array<std::uint8_t, kBuckets + 1> first_; // the code of bucket k's least value
};

} // namespace WendrikFaderV2::OkLab
