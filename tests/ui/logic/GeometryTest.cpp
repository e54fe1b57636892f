// Twips into pixels at each display scale, the hit tests of the window shapes, and the sliders'
// colour.
#include "window/Geometry.h"
#include "form1/Sliders.h"

#include <gtest/gtest.h>

#include <utility>

using namespace quillon;

TEST(Geometry, TwipsBecomePixelsRoundedHalfUp) {
    struct Row {
        double twips;
        int dpi, pixels;
    };
    const Row rows[] = {
        {100, 96, 7},     {100, 120, 8},    {100, 144, 10},
        {100, 192, 13},   {2190, 120, 183}, // 182.5
        {2610, 120, 218},                   // 217.5
        {1875, 120, 156}, {6015, 120, 501}, {15, 96, 1},
        {7, 96, 0},       {8, 96, 1},       {0, 192, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TwipsToPixels(row.twips, row.dpi), row.pixels) << row.twips << " at " << row.dpi;
    const Box form{2190, 1875, 6015, 2610};
    EXPECT_EQ(TwipsToPixels(form, 96), (Box{146, 125, 401, 174}));
    EXPECT_EQ(TwipsToPixels(form, 192), (Box{292, 250, 802, 348}));
}

TEST(Geometry, RoundRectCutsOnlyTheCorners) {
    const Box form{0, 0, 401, 175};
    for (auto [x, y] : {std::pair{0, 0}, {400, 0}, {0, 174}, {400, 174}, {2, 2}, {401, 80}})
        EXPECT_FALSE(HitTestRoundRect(x, y, form, 24, 24)) << x << "," << y;
    for (auto [x, y] : {std::pair{200, 0}, {0, 87}, {400, 87}, {200, 174}, {12, 12}, {6, 6}})
        EXPECT_TRUE(HitTestRoundRect(x, y, form, 24, 24)) << x << "," << y;
}

TEST(Geometry, OvalTakesThePixelsWhoseCentreLiesInside) {
    const Box oval{2, 1, 72, 23};
    EXPECT_TRUE(HitTestEllipse(38, 12, oval));
    EXPECT_TRUE(HitTestEllipse(2, 12, oval));
    EXPECT_FALSE(HitTestEllipse(0, 0, oval));
    EXPECT_FALSE(HitTestEllipse(73, 1, oval));
    EXPECT_FALSE(HitTestEllipse(80, 12, oval)); // the client area right of the picture
    EXPECT_FALSE(HitTestEllipse(0, 0, Box{0, 0, 0, 10})) << "no width, no pixel";
}

TEST(Geometry, FloatingButtonIsCentredByItsWholeWidth) {
    EXPECT_EQ(CentredLeftPixels(1280, 1560, 96), 588);
    EXPECT_EQ(CentredLeftPixels(1366, 1560, 96), 631);
    EXPECT_EQ(CentredLeftPixels(1024, 1560, 96), 460);
    EXPECT_EQ(CentredLeftPixels(1280, 1560, 192), 536) << "640 less half of 208 pixels";
    EXPECT_EQ(CentredLeftPixels(2560, 1560, 144), 1202) << "1280 less half of 156 pixels";
    EXPECT_EQ(CentredLeftPixels(1365, 1560, 120), 618) << "682.5 less 65 pixels, rounded up";
}

// The swatch colour as the fader takes it, red lowest; components and steps stay within 0..255.
TEST(Sliders, PackAndStep) {
    EXPECT_EQ(PackColour(255, 0, 0), 0x0000FF);
    EXPECT_EQ(PackColour(0, 128, 0), 0x008000);
    EXPECT_EQ(PackColour(1, 2, 3), 0x030201);
    EXPECT_EQ(PackColour(255, 255, 255), 0xFFFFFF);
    EXPECT_EQ(PackColour(300, -4, 256), 0xFF00FF);
    EXPECT_EQ(StepSlider(1, -1), 0);
    EXPECT_EQ(StepSlider(0, -1), 0);
    EXPECT_EQ(StepSlider(254, +1), 255);
    EXPECT_EQ(StepSlider(255, +1), 255);
}
