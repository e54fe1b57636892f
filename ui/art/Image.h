// Pictures as plain pixels, drawn and scaled without any platform call.
#pragma once

#include <cstdint>
#include <vector>

namespace quillon::art {

// Top-down rows of 0x00RRGGBB, the layout of a 32-bit top-down DIB.
struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Area-average (box filter) reduction: each target pixel is the mean of the source area it
// covers, partial source pixels weighted by their covered share. Only for shrinking.
Image ScaleDown(const Image& source, int width, int height);

} // namespace quillon::art
