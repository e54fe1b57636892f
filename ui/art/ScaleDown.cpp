#include "Image.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillon::art {

namespace {

struct Tap {
    int first = 0;
    std::vector<double> weights; // one per source pixel from `first`, summing to 1
};

// Which source pixels each target pixel covers along one axis, and by how much.
std::vector<Tap> Taps(int from, int to) {
    std::vector<Tap> taps(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double begin = i * step, end = (i + 1) * step;
        Tap& tap = taps[static_cast<std::size_t>(i)];
        tap.first = static_cast<int>(std::floor(begin));
        for (int s = tap.first; s < from && s < end; ++s) {
            const double covered = std::min(end, s + 1.0) - std::max(begin, double(s));
            tap.weights.push_back(covered / step);
        }
    }
    return taps;
}

} // namespace

Image ScaleDown(const Image& source, int width, int height) {
    width = std::clamp(width, 1, source.width);
    height = std::clamp(height, 1, source.height);
    const auto across = Taps(source.width, width), down = Taps(source.height, height);

    // Rows first, kept as doubles so the second pass rounds only once.
    std::vector<std::array<double, 3>> rows(static_cast<std::size_t>(width) * source.height);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < width; ++x) {
            std::array<double, 3> sum{};
            const Tap& tap = across[static_cast<std::size_t>(x)];
            for (std::size_t k = 0; k < tap.weights.size(); ++k) {
                const std::uint32_t p = source.At(tap.first + static_cast<int>(k), y);
                for (int c = 0; c < 3; ++c)
                    sum[c] += tap.weights[k] * ((p >> (16 - 8 * c)) & 0xFF);
            }
            rows[static_cast<std::size_t>(y) * width + x] = sum;
        }

    Image out{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::array<double, 3> sum{};
            const Tap& tap = down[static_cast<std::size_t>(y)];
            for (std::size_t k = 0; k < tap.weights.size(); ++k) {
                const auto& row = rows[(tap.first + k) * width + x];
                for (int c = 0; c < 3; ++c)
                    sum[c] += tap.weights[k] * row[c];
            }
            std::uint32_t p = 0;
            for (int c = 0; c < 3; ++c)
                p |= static_cast<std::uint32_t>(std::clamp(std::lround(sum[c]), 0L, 255L))
                     << (16 - 8 * c);
            out.pixels[static_cast<std::size_t>(y) * width + x] = p;
        }
    return out;
}

} // namespace quillon::art
