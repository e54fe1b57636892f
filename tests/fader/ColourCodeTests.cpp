#include "FaderTestSupport.h"

#include <gtest/gtest.h>

using namespace WendrikFaderV2;
using namespace FaderTest;

TEST(ColourCode, TakesPackedColoursApartRedInTheLowByte) {
    EXPECT_EQ(GetRed(0xFF8000), 0);
    EXPECT_EQ(GetGreen(0xFF8000), 128);
    EXPECT_EQ(GetBlue(0xFF8000), 255);
    EXPECT_EQ(GetRed(Rgb(1, 2, 3)), 1);
    EXPECT_EQ(GetGreen(Rgb(1, 2, 3)), 2);
    EXPECT_EQ(GetBlue(Rgb(1, 2, 3)), 3);
    // Integer division truncates toward zero before the mask, unlike a shift.
    EXPECT_EQ(GetRed(-1), 255);
    EXPECT_EQ(GetGreen(-1), 0);
    EXPECT_EQ(GetBlue(-1), 0);
}

TEST(ColourCode, PadHexPadsInPlaceAndNeverShortens) {
    std::string empty, one = "F", two = "FF", three = "ABC";
    EXPECT_EQ(&PadHex(empty), &empty);
    EXPECT_EQ(empty, "00");
    EXPECT_EQ(PadHex(one), "0F");
    EXPECT_EQ(one, "0F");
    EXPECT_EQ(PadHex(two), "FF");
    EXPECT_EQ(PadHex(three), "ABC");
}

TEST(ColourCode, ColoursFromTheListKeepTheirOwnBytes) {
    BuildFadeTable({0x0080FF, kBlack, kBlue, Rgb(0x12, 0xAB, 0x09)}, 4, true);
    EXPECT_EQ(TableCodes(),
              (std::vector<std::u16string>{u"#FF8000", u"#000000", u"#0000FF", u"#12AB09"}));
}
