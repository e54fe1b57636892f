#include "ColourCode.h"
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

TEST(ColourCode, RoundsHalvesToEvenAndWritesRedFirst) {
    EXPECT_EQ(ColourCode({127.5, 126.5, 0.49}), u"#807E00");
    EXPECT_EQ(ColourCode({0.5, 254.5, 255}), u"#00FEFF");
    EXPECT_EQ(ColourCode({9, 10, 0}), u"#090A00");
    EXPECT_EQ(ColourCode({255, 128, 0}), u"#FF8000");
    EXPECT_EQ(ColourCode({0, 0, 0}), u"#000000");
}

TEST(ColourCode, FontTagQuotesOnlyInFullMode) {
    char16_t tag[kMaxTagLength];
    std::size_t length = WriteFontTag(tag, {255, 128, 0}, true);
    EXPECT_EQ(std::u16string(tag, length), u"<font color=#FF8000>");
    EXPECT_EQ(length, kCompactTagLength);
    length = WriteFontTag(tag, {255, 128, 0}, false);
    EXPECT_EQ(std::u16string(tag, length), u"<font color=\"#FF8000\">");
    EXPECT_EQ(length, kFullTagLength);
}

TEST(ColourCode, ColoursFromTheListKeepTheirOwnBytes) {
    BuildFadeTable({0x0080FF, kBlack, kBlue, Rgb(0x12, 0xAB, 0x09)}, 4, true);
    EXPECT_EQ(TableCodes(),
              (std::vector<std::u16string>{u"#FF8000", u"#000000", u"#0000FF", u"#12AB09"}));
}
