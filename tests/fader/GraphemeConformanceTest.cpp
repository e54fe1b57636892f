// Cluster boundaries against Unicode's own conformance file, every line of it.
#include "Graphemes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

void AppendUtf16(std::u16string& text, char32_t cp) {
    if (cp < 0x10000) {
        text += static_cast<char16_t>(cp);
        return;
    }
    cp -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (cp >> 10));
    text += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
}

struct Case {
    std::u16string text;
    std::vector<std::size_t> boundaries; // in 16-bit units, 0 and the end included
};

// "÷ 0020 × 0308 ÷ 0020 ÷": code points with ÷ where a boundary falls and × where none does.
Case Parse(const std::string& line) {
    Case c;
    std::istringstream words(line.substr(0, line.find('#')));
    for (std::string word; words >> word;) {
        if (word == "\xC3\xB7") // ÷
            c.boundaries.push_back(c.text.size());
        else if (word != "\xC3\x97") // ×
            AppendUtf16(c.text, static_cast<char32_t>(std::stoul(word, nullptr, 16)));
    }
    return c;
}

std::vector<std::size_t> Boundaries(const std::u16string& text) {
    std::vector<std::size_t> found{0};
    for (std::size_t at = 0; at < text.size();)
        found.push_back(at = WendrikFaderV2::ClusterEnd(text, at));
    return found;
}

} // namespace

TEST(Graphemes, PassesEveryLineOfUnicodesConformanceFile) {
    std::ifstream file(QUILLON_GRAPHEME_BREAK_TEST);
    ASSERT_TRUE(file) << "cannot read " << QUILLON_GRAPHEME_BREAK_TEST;
    std::string line;
    std::getline(file, line);
    EXPECT_NE(line.find(std::string("GraphemeBreakTest-") +
                        WendrikFaderV2::GraphemeTables::kUnicodeVersion),
              std::string::npos)
        << "the tables and the test file come from different Unicode versions: " << line;

    int lines = 0, passed = 0;
    for (int number = 2; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        ++lines;
        const Case c = Parse(line);
        const std::vector<std::size_t> found = Boundaries(c.text);
        if (found == c.boundaries)
            ++passed;
        else
            ADD_FAILURE() << "line " << number << ": " << line;
    }
    std::cout << "grapheme conformance: " << passed << " of " << lines << " lines passed\n";
    EXPECT_GT(lines, 500) << "the file was not read whole";
    EXPECT_EQ(passed, lines);
}
