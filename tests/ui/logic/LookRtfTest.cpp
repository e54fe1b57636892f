// The preview's rich text: exactly these characters in exactly these looks, whatever they are.
#include "preview/LookRtf.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace quillon;

namespace {

const std::string kHead = "{\\rtf1\\ansi\\deff0\\uc1{\\fonttbl{\\f0\\fnil Arial;}}";
const std::string kReset = "\\i0\\ul0\\strike0\\v0\\highlight0";

struct Read {
    std::u16string text;
    std::vector<CharLook> chars;
};

// Reads the rich text back as a rich edit would, for what LookToRtf writes: the colour table,
// and in the body \f, \cf, \b, \sub, \super, \nosupersub, \tab, \uN with its one stand-in, and
// escaped "\", "{" and "}". Anything else is a fault.
Read ReadBack(const std::string& rtf) {
    Read read;
    std::vector<std::uint32_t> colours{0};
    const std::size_t table = rtf.find("{\\colortbl ;");
    std::size_t i = table + 12;
    while (rtf[i] == '\\') {
        unsigned r = 0, g = 0, b = 0;
        int used = 0;
        EXPECT_EQ(std::sscanf(rtf.c_str() + i, "\\red%u\\green%u\\blue%u;%n", &r, &g, &b, &used),
                  3);
        colours.push_back(r | g << 8 | b << 16);
        i += static_cast<std::size_t>(used);
    }
    EXPECT_EQ(rtf[i], '}');
    CharLook look;
    for (++i; i + 1 < rtf.size(); ++i) {
        if (rtf[i] != '\\') {
            EXPECT_TRUE(rtf[i] != '{' && rtf[i] != '}') << "a group opens or closes at " << i;
            read.text += static_cast<char16_t>(static_cast<unsigned char>(rtf[i]));
            read.chars.push_back(look);
            continue;
        }
        if (std::string("\\{}").find(rtf[i + 1]) != std::string::npos) {
            read.text += static_cast<char16_t>(rtf[++i]);
            read.chars.push_back(look);
            continue;
        }
        std::size_t end = i + 1;
        while (std::isalpha(static_cast<unsigned char>(rtf[end])))
            ++end;
        const std::string word = rtf.substr(i + 1, end - i - 1);
        std::size_t digits = end;
        while (rtf[digits] == '-' || std::isdigit(static_cast<unsigned char>(rtf[digits])))
            ++digits;
        const std::string number = rtf.substr(end, digits - end);
        i = rtf[digits] == ' ' ? digits : digits - 1; // a space ends a control word
        if (word == "u") {
            read.text += static_cast<char16_t>(std::stoi(number));
            read.chars.push_back(look);
            EXPECT_EQ(rtf[digits], '?') << "the stand-in of \\u at " << digits;
            i = digits;
        } else if (word == "tab") {
            read.text += u'\t';
            read.chars.push_back(look);
        } else if (word == "f") {
            look.face = static_cast<std::uint16_t>(std::stoi(number));
        } else if (word == "cf") {
            look.colour = colours.at(static_cast<std::size_t>(std::stoi(number)));
        } else if (word == "b") {
            look.bold = number != "0";
        } else if (word == "sub" || word == "super" || word == "nosupersub") {
            look.sub = word == "sub";
            look.sup = word == "super";
        } else {
            EXPECT_TRUE(word == "i" || word == "ul" || word == "strike" || word == "v" ||
                        word == "highlight")
                << "\\" << word;
        }
    }
    EXPECT_EQ(rtf.back(), '}');
    return read;
}

} // namespace

TEST(LookToRtf, WritesEachRunOnceAndNamesOnlyWhatChanges) {
    const CharLook red{0x0000FF}, green{0x00FF00}, boldRed{0x0000FF, true};
    const CharLook sub{0x0000FF, false, true}, sup{0x0000FF, false, false, true, 1};
    struct Row {
        const char* what;
        std::u16string text;
        std::vector<CharLook> chars;
        std::string body; // after the colour table
    };
    const Row rows[] = {
        {"one run", u"ab", {red, red}, kReset + "\\f0\\cf1\\b0\\nosupersub ab"},
        {"a colour inserted",
         u"abc",
         {red, green, red},
         kReset + "\\f0\\cf1\\b0\\nosupersub a\\cf2 b\\cf1 c"},
        {"bold, then sub and a face, then super",
         u"abcd",
         {red, boldRed, sub, sup},
         kReset + "\\f0\\cf1\\b0\\nosupersub a\\b b\\b0\\sub c\\f1\\super d"},
        {"escapes, and a space after a control word",
         u" \\{}\tx",
         {red, red, red, red, red, red},
         kReset + "\\f0\\cf1\\b0\\nosupersub  \\\\\\{\\}\\tab x"},
        {"a surrogate pair",
         u"\U0001F600",
         {red, red},
         kReset + "\\f0\\cf1\\b0\\nosupersub \\u-10179?\\u-8704?"},
        {"a right-to-left run",
         u"\u05E9\u05DC",
         {red, green},
         kReset + "\\f0\\cf1\\b0\\nosupersub \\u1513?\\cf2 \\u1500?"},
        {"fewer looks than characters", u"abc", {red}, kReset + "\\f0\\cf1\\b0\\nosupersub a"},
        {"nothing", u"", {}, ""},
    };
    const std::vector<std::u16string> faces{u"Arial", u"x;{y}\\"};
    for (const Row& row : rows) {
        const std::string rtf = LookToRtf(row.text, row.chars, faces);
        const std::string head = "{\\rtf1\\ansi\\deff0\\uc1{\\fonttbl{\\f0\\fnil Arial;}"
                                 "{\\f1\\fnil xy\\\\;}}{\\colortbl ;";
        ASSERT_EQ(rtf.substr(0, head.size()), head) << row.what;
        EXPECT_EQ(rtf.substr(rtf.find('}', head.size()) + 1), row.body + "}") << row.what;
    }
    EXPECT_EQ(LookToRtf(u"ab", std::vector{red, green}, {u"Arial"}),
              kHead + "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green255\\blue0;}" + kReset +
                  "\\f0\\cf1\\b0\\nosupersub a\\cf2 b}");
}

// Random lines of every kind of character the preview streams, and the longest line, come back
// character for character in their looks.
TEST(LookToRtf, ReadsBackAsTheSameCharactersInTheSameLooks) {
    std::mt19937 random(15);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const std::u16string pool = u"ab 19\\{}\t\u00e9\u4e2d\u05D0\u0627\u200F\U0001F600\uFFFD";
    const CharLook looks[] = {{0},
                              {0x0000FF},
                              {0x00FF00, true},
                              {0xFF0000, false, true},
                              {0x123456, false, false, true, 1},
                              {0x808080, true, false, true}};
    for (int round = 0; round < 200; ++round) {
        const std::size_t n = round == 0 ? 32767 : static_cast<std::size_t>(pick(60));
        std::u16string text;
        std::vector<CharLook> chars;
        while (text.size() < n) {
            text += pool[static_cast<std::size_t>(pick(static_cast<int>(pool.size())))];
            chars.push_back(looks[pick(round == 0 ? 2 : 6)]);
        }
        ASSERT_TRUE(RtfCarriesExactly(text));
        const Read read = ReadBack(LookToRtf(text, chars, {u"Arial", u"Verdana"}));
        ASSERT_EQ(read.text, text) << "round " << round;
        ASSERT_EQ(read.chars, chars) << "round " << round;
    }
}

TEST(LookToRtf, OnlyTextWithoutControlsOrObjectsComesBackExactly) {
    EXPECT_TRUE(RtfCarriesExactly(u"a\tb \U0001F600\u05D0"));
    EXPECT_FALSE(RtfCarriesExactly(u"a\rb"));
    EXPECT_FALSE(RtfCarriesExactly(std::u16string(1, u'\0')));
    EXPECT_FALSE(RtfCarriesExactly(u"\uFFFC"));
}
