#include "ArtFiles.h"
#include "Artwork.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

using namespace quillon::art;

namespace {

int Channel(std::uint32_t p, int c) {
    return (p >> (16 - 8 * c)) & 0xFF;
}
int Luminance(std::uint32_t p) {
    return (Channel(p, 0) + Channel(p, 1) + Channel(p, 2)) / 3;
}

// Pure black pixels in the title plate: the outline of the pixel-font letters.
int BlackOnThePlate(const Image& skin, int dpi) {
    int count = 0;
    for (int y = ScaledLength(5, dpi); y < ScaledLength(29, dpi); ++y)
        for (int x = ScaledLength(10, dpi); x < ScaledLength(166, dpi); ++x)
            count += skin.At(x, y) == 0;
    return count;
}

} // namespace

TEST(Artwork, TheCommittedPicturesAreExactlyTheDrawingAtOneHundredPercent) {
    for (const ArtFile& file : ReferenceArtFiles()) {
        std::ifstream in(std::string(QUILLON_RESOURCES) + "/" + file.name, std::ios::binary);
        const std::string onDisk{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(Difference(file, onDisk), "")
            << file.name << " is stale: build/native/ui/art/art_export ui/resources redraws it";
    }
}

TEST(Artwork, EachScaleStepIsDrawnAtItsOwnSizeAndStaysCrisp) {
    const Image base = DrawSkin(1.0);
    const int baseBlack = BlackOnThePlate(base, 96);
    ASSERT_GT(baseBlack, 100);
    for (int dpi : kArtDpis) {
        SCOPED_TRACE(dpi);
        const double s = dpi / 96.0;
        const Image skin = SkinForDpi(dpi), button = ButtonPictureForDpi(dpi);
        EXPECT_EQ(skin.width, ScaledLength(400, dpi));
        EXPECT_EQ(skin.height, ScaledLength(175, dpi));
        EXPECT_EQ(button.width, ScaledLength(75, dpi));
        EXPECT_EQ(button.height, ScaledLength(25, dpi));

        // The painted elements stay where the controls above them expect them.
        auto at = [&](const Image& image, int x, int y) {
            return image.At(ScaledLength(x, dpi), ScaledLength(y, dpi));
        };
        EXPECT_GT(Luminance(at(skin, 12, 16)), 150) << "title plate";
        EXPECT_GT(Luminance(at(skin, 386, 7)), 120) << "close mark";
        EXPECT_LT(Luminance(at(skin, 387, 15)), 80) << "the X of the close mark";
        EXPECT_EQ(button.At(0, 0), 0xFFFFFFu) << "outside the oval";
        EXPECT_EQ(button.At(button.width - 1, button.height - 1), 0xFFFFFFu);
        const std::uint32_t oval = at(button, 8, 12);
        EXPECT_GT(Channel(oval, 2), Channel(oval, 0) + 40) << "the oval is blue";

        // Each colour column glows in its own hue where it shows, between its sliders.
        struct Column {
            std::string_view hue;
            int x0, x1, channel;
        };
        for (auto [hue, x0, x1, channel] :
             {Column{"blue", 19, 89, 2}, Column{"violet", 116, 186, 2}, Column{"red", 210, 280, 0},
              Column{"green", 304, 374, 1}}) {
            std::array<long, 3> sum{};
            for (int x = x0; x <= x1; ++x)
                for (int y : {86, 87, 98, 99})
                    for (int c = 0; c < 3; ++c)
                        sum[c] += Channel(at(skin, x, y), c);
            EXPECT_EQ(std::ranges::max_element(sum) - sum.begin(), channel) << hue;
            EXPECT_GT(sum[channel], 1.3 * std::ranges::min(sum)) << hue;
            if (hue == "violet") {
                EXPECT_GT(sum[0], 1.3 * sum[1]) << "violet lacks red";
            }
            if (hue == "blue") {
                EXPECT_GT(sum[1], 1.2 * sum[0]) << "blue drifts to violet";
            }
        }

        // Letter outlines stay solid black lines as thick as the scale allows; a picture blown
        // up with smoothing would turn most of them grey.
        const int lineWidth = std::max(1, static_cast<int>(s + 0.25));
        EXPECT_GT(BlackOnThePlate(skin, dpi), 0.8 * baseBlack * s * lineWidth);
    }
}

TEST(Artwork, BetweenStepsTheNextLargerDrawingIsReduced) {
    EXPECT_EQ(DrawingDpi(96), 96);
    EXPECT_EQ(DrawingDpi(97), 120);
    EXPECT_EQ(DrawingDpi(192), 192);
    EXPECT_EQ(DrawingDpi(200), 240);
    EXPECT_EQ(DrawingDpi(336), 336) << "above the last step the art is drawn at its own scale";

    const Image skin = SkinForDpi(108);
    EXPECT_EQ(skin.width, 450);
    EXPECT_EQ(skin.height, 197);
    const Image reduced = ScaleDown(DrawSkin(1.25), 450, 197);
    EXPECT_EQ(skin.pixels, reduced.pixels);
}

TEST(ScaleDown, EachPixelIsTheMeanOfTheAreaItCovers) {
    auto grey = [](int v) { return std::uint32_t(v) * 0x010101u; };
    Image row{3, 1, {grey(0), grey(90), grey(180)}};
    const Image two = ScaleDown(row, 2, 1);
    EXPECT_EQ(two.pixels, (std::vector{grey(30), grey(150)})); // 2/3 + 1/3 of a pixel each

    Image blocks{
        4, 2, {grey(10), grey(30), 0xFF0000, 0x00FF00, grey(50), grey(70), 0x0000FF, 0xFFFFFF}};
    const Image half = ScaleDown(blocks, 2, 1);
    EXPECT_EQ(half.pixels[0], grey(40));
    EXPECT_EQ(half.pixels[1], 0x808080u) << "each channel averaged alone";

    // A busy picture keeps its mean brightness through an uneven reduction.
    Image noise{97, 61, {}};
    unsigned seed = 7;
    long sum = 0;
    for (int i = 0; i < noise.width * noise.height; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int v = (seed >> 16) & 0xFF;
        sum += v;
        noise.pixels.push_back(grey(v));
    }
    const Image small = ScaleDown(noise, 40, 23);
    long smallSum = 0;
    for (std::uint32_t p : small.pixels)
        smallSum += Channel(p, 1);
    const double before = double(sum) / (97 * 61), after = double(smallSum) / (40 * 23);
    EXPECT_NEAR(after, before, 1.0);
}
