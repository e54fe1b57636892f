#include "window/Geometry.h"
#include "ControlIds.h"
#include "form1/Form1Layout.h"
#include "form2/Form2Layout.h"
#include "window/Gdi.h"
#include "window/Shaping.h"
#include "form1/Sliders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace quillon;

TEST(Geometry, TwipsBecomePixels) {
    EXPECT_EQ(TwipsToPixels(kForm1Twips, 96), (Box{146, 125, 401, 174}));
    EXPECT_EQ(TwipsToPixels(100, 96), 7);
    // Every table length is a multiple of 15 twips: at 96 dpi each is a whole pixel.
    for (const ControlSpec& c : Form1Controls())
        EXPECT_EQ(TwipsToPixels(c.twips, 96), (Box{c.twips.left / 15, c.twips.top / 15,
                                                   c.twips.width / 15, c.twips.height / 15}));
    EXPECT_EQ(TwipsToPixels(kForm1Twips, 192), (Box{292, 250, 802, 348}));
    EXPECT_EQ(TwipsToPixels(kForm1Twips, 120), (Box{183, 156, 501, 218})) << "halves round up";
    EXPECT_EQ(TwipsToPixels(100, 144), 10);
    EXPECT_EQ(TwipsToPixels(100, 192), 13);
}

TEST(Geometry, Form1TableLandsOnTheSkin) {
    auto pixels = [](const wchar_t* name) {
        for (const ControlSpec& c : Form1Controls())
            if (std::wstring(c.name) == name)
                return TwipsToPixels(c.twips, 96);
        return Box{-1, -1, -1, -1};
    };
    EXPECT_EQ(pixels(L"Label1"), (Box{9, 7, 364, 21}));
    EXPECT_EQ(pixels(L"Label2"), (Box{379, 6, 19, 20}));
    EXPECT_EQ(pixels(L"Check2"), (Box{293, 39, 13, 13}));
    EXPECT_EQ(pixels(L"Label6"), (Box{304, 61, 69, 13}));
    EXPECT_EQ(pixels(L"HScroll12"), (Box{304, 104, 70, 8}));
    EXPECT_EQ(pixels(L"Combo1"), (Box{20, 116, 81, 21}));
    EXPECT_EQ(pixels(L"Command1"), (Box{247, 139, 47, 21}));

    std::set<int> ids;
    for (const ControlSpec& c : Form1Controls())
        EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id for " << c.id;
    EXPECT_EQ(ids.size(), 26u);
}

TEST(Geometry, RoundRectCutsOnlyTheCorners) {
    const Box form{0, 0, 401, 175};
    for (auto [x, y] : {std::pair{0, 0}, {400, 0}, {0, 174}, {400, 174}, {2, 2}, {401, 80}})
        EXPECT_FALSE(HitTestRoundRect(x, y, form, 24, 24)) << x << "," << y;
    for (auto [x, y] : {std::pair{200, 0}, {0, 87}, {400, 87}, {200, 174}, {12, 12}, {6, 6}})
        EXPECT_TRUE(HitTestRoundRect(x, y, form, 24, 24)) << x << "," << y;
}

TEST(Geometry, OvalOfTheFloatingButton) {
    const Box oval = TwipsToPixels(Form2Shapes()[0].twips, 96);
    EXPECT_EQ(oval, (Box{2, 1, 72, 23}));
    EXPECT_TRUE(HitTestEllipse(38, 12, oval));
    EXPECT_TRUE(HitTestEllipse(2, 12, oval));
    EXPECT_FALSE(HitTestEllipse(0, 0, oval));
    EXPECT_FALSE(HitTestEllipse(73, 1, oval));
    EXPECT_FALSE(HitTestEllipse(80, 12, oval)); // the client area right of the picture
}

TEST(Geometry, FloatingButtonIsCentredByItsWholeWidth) {
    EXPECT_EQ(CentredLeftPixels(1280, 1560, 96), 588);
    EXPECT_EQ(CentredLeftPixels(1366, 1560, 96), 631);
    EXPECT_EQ(CentredLeftPixels(1024, 1560, 96), 460);
    EXPECT_EQ(CentredLeftPixels(1280, 1560, 192), 536) << "640 less half of 208 pixels";
    EXPECT_EQ(CentredLeftPixels(2560, 1560, 144), 1202) << "1280 less half of 156 pixels";
    EXPECT_EQ(CentredLeftPixels(1365, 1560, 120), 618) << "682.5 less 65 pixels, rounded up";
}

TEST(Shaping, TagNamesTheShapeOfThatWindowOnly) {
    ASSERT_NE(FindShape(Form1Shapes(), L"111"), nullptr);
    EXPECT_EQ(FindShape(Form1Shapes(), L"111")->kind, ShapeKind::RoundRect);
    EXPECT_EQ(FindShape(Form1Shapes(), L"121"), nullptr);
    EXPECT_EQ(FindShape(Form2Shapes(), L"121")->kind, ShapeKind::Oval);
    EXPECT_EQ(FindShape(Form2Shapes(), L"12"), nullptr);
}

// The region the window gets and the hit test that answers WM_NCHITTEST must agree, apart from
// single pixels where the platform rasterises the curve differently.
TEST(Shaping, RegionAgreesWithTheHitTest) {
    for (const ShapeSpec* shape : {&Form1Shapes()[0], &Form2Shapes()[0]}) {
        for (int dpi : {96, 120, 144, 192}) {
            Region region(CreateShapeRegion(*shape, dpi));
            ASSERT_TRUE(region);
            const Box b = TwipsToPixels(shape->twips, dpi);
            int inside = 0, disagree = 0;
            for (int y = -2; y < b.top + b.height + 3; ++y)
                for (int x = -2; x < b.left + b.width + 3; ++x) {
                    const bool mine = ShapeContains(*shape, x, y, dpi);
                    inside += mine;
                    disagree += mine != (PtInRegion(region.get(), x, y) != FALSE);
                }
            EXPECT_GT(inside, b.width * b.height * 3 / 4);
            EXPECT_LT(disagree, (b.width + b.height) / 4) << "shape " << shape->tag << " " << dpi;
        }
    }
}

TEST(Sliders, PackAndStep) {
    EXPECT_EQ(PackColour(255, 0, 0), 255);
    EXPECT_EQ(PackColour(0, 128, 0), 32768);
    EXPECT_EQ(PackColour(255, 255, 255), 16777215);
    EXPECT_EQ(PackColour(0, 0, 0), 0);
    EXPECT_EQ(PackColour(300, -4, 0), 255);
    EXPECT_EQ(StepSlider(1, -1), 0);
    EXPECT_EQ(StepSlider(0, -1), 0);
    EXPECT_EQ(StepSlider(255, +1), 255);
    EXPECT_EQ(ColumnOfSlider(3), 1);
    EXPECT_EQ(ColumnOfSlider(4), 2);
    EXPECT_EQ(ColumnOfSlider(12), 4);
    EXPECT_EQ(RedSliderOf(3), 7);
}
