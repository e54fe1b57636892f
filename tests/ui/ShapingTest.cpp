// The control tables and window shapes in pixels: where they land on the skin, and the regions
// Windows makes of them.
#include "window/Shaping.h"
#include "ControlIds.h"
#include "form1/Form1Layout.h"
#include "form2/Form2Layout.h"
#include "window/Gdi.h"
#include "window/Geometry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace quillon;

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

TEST(Geometry, OvalOfTheFloatingButton) {
    EXPECT_EQ(TwipsToPixels(Form2Shapes()[0].twips, 96), (Box{2, 1, 72, 23}));
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
