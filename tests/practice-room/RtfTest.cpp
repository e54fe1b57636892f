#include "Rtf.h"

#include <gtest/gtest.h>

using ChatMarkup::ParseMarkup;

namespace {

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(LineToRtf, TablesHoldEachFaceAndColourOnceAndRunsPointIntoThem) {
    const std::string rtf =
        LineToRtf(L"Ann",
                  ParseMarkup(L"<font face=tahoma color=#FF0000>a<font color=#00FF00>b"
                              L"<font color=#FF0000>c<font face=Arial>d"),
                  false);
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_EQ(rtf.back(), '}');
    EXPECT_TRUE(Has(rtf, "{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil tahoma;}}"));
    EXPECT_TRUE(Has(rtf, "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue96;"
                         "\\red255\\green0\\blue0;\\red0\\green255\\blue0;}"));
    EXPECT_TRUE(Has(rtf, "\\cf2\\b\\nosupersub Ann: "));
    EXPECT_TRUE(Has(rtf, "\\f1\\fs20\\cf3\\b0\\nosupersub a"));
    EXPECT_TRUE(Has(rtf, "\\f1\\fs20\\cf4\\b0\\nosupersub b"));
    EXPECT_TRUE(Has(rtf, "\\f1\\fs20\\cf3\\b0\\nosupersub c"));
    EXPECT_TRUE(Has(rtf, "\\f0\\fs20\\cf3\\b0\\nosupersub d")); // the room's own face
    EXPECT_FALSE(Has(rtf, "\\par"));
}

TEST(LineToRtf, StylesBreaksAndParagraphs) {
    const std::string rtf =
        LineToRtf(L"A", ParseMarkup(L"<b>x</b><sub>y</sub><sup>z</sup>1<br>2"), true);
    EXPECT_EQ(rtf.find("\\par "), rtf.find("}\\") + 1); // the line opens its own paragraph
    EXPECT_TRUE(Has(rtf, "\\cf1\\b\\nosupersub x"));
    EXPECT_TRUE(Has(rtf, "\\b0\\sub y"));
    EXPECT_TRUE(Has(rtf, "\\b0\\super z"));
    EXPECT_TRUE(Has(rtf, "\\b0\\nosupersub 1\\par \\f0"));
}

TEST(LineToRtf, TextCannotBreakOutOfTheDocument) {
    const std::string rtf = LineToRtf(
        L"{x}", ParseMarkup(L"a\\par}{\\rtf1 \u00e9\u4e2d\ttab <font face=a;}b>c"), false);
    EXPECT_TRUE(Has(rtf, "\\{x\\}: "));
    EXPECT_TRUE(Has(rtf, "a\\\\par\\}\\{\\\\rtf1 \\u233?\\u20013?\\tab tab"));
    EXPECT_TRUE(Has(rtf, "\\fnil ab;}"));
    // Braces balance, so the control reads exactly one group.
    int depth = 0, minimum = 1;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
        if (i + 1 < rtf.size())
            minimum = std::min(minimum, depth);
    }
    EXPECT_EQ(depth, 0);
    EXPECT_GE(minimum, 1);
}

} // namespace
