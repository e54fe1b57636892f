#include "ColourCode.h"
#include "Graphemes.h"
#include "Refusal.h"
#include "WendrikFaderV2.h"

#include <array>

namespace WendrikFaderV2 {

namespace {

// The pass order decides which word gets which colour position.
constexpr std::array<char16_t, 3> kSeparators{u' ', u'"', u'\n'};

bool IsSeparator(char16_t c) {
    return c == u' ' || c == u'"' || c == u'\n';
}

// Only ASCII letters and digits start a word; accented letters do not.
bool IsWordStartCharacter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

void TrimSpaces(std::u16string& text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) {
        text.clear();
        return;
    }
    text.erase(text.find_last_not_of(u' ') + 1);
    text.erase(0, first);
}

} // namespace

int CountWords(const std::u16string& text) {
    int count = 1; // the first word, whatever it begins with
    for (std::size_t x = 0; x + 1 < text.size(); ++x)
        if (IsSeparator(text[x]) && IsWordStartCharacter(text[x + 1]))
            ++count;
    return count;
}

std::u16string FadeFirstLetters(std::u16string& text, const std::vector<Colour>& colours,
                                bool Compact, Blend blend) {
    static constexpr std::u16string_view kWrapper = u"<font color=\"#000000\">";
    static constexpr std::u16string_view kBold = u"<b>";
    static constexpr std::u16string_view kUnbold = u"</b>";
    const std::u16string_view E = Compact ? u"" : u"</font>";
    const std::u16string_view B = Compact ? u"<font color=#000000>" : u"";

    TrimSpaces(text);
    const int words = CountWords(text);
    const int U = static_cast<int>(colours.size());
    // With no colour at all the table would have no entries for the marks.
    if (words + 1 < U || U == 0) {
        Refuse(kTooFewWords);
        return text;
    }

    const bool firstMarked = !text.empty() && IsWordStartCharacter(text[0]);
    const std::size_t marks = static_cast<std::size_t>(words) - (firstMarked ? 0 : 1);
    const std::size_t markLength = (Compact ? kCompactTagLength : kFullTagLength) + kBold.size() +
                                   1 + kUnbold.size() + E.size() + B.size();
    const std::size_t resultLength =
        text.size() + marks * (markLength - 1) + (Compact ? 0 : kWrapper.size() + E.size());
    if (resultLength > kMaxFadeLength) {
        Refuse(kTooLong);
        return text;
    }

    BuildFadeTable(colours, words, Compact, blend);

    // Colour positions pass by pass (spaces, quotes, line feeds), then the marks left to right.
    std::vector<int> position(text.size(), 0);
    int w = 1;
    if (firstMarked)
        position[0] = w;
    for (char16_t separator : kSeparators)
        for (std::size_t x = 0; x + 1 < text.size(); ++x)
            if (text[x] == separator && IsWordStartCharacter(text[x + 1]))
                position[x + 1] = ++w;

    std::u16string marked;
    marked.reserve(resultLength);
    // A word's first letter is its first cluster: a mark wraps the letter with its accents.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (position[i] == 0) {
            marked += text[i];
            continue;
        }
        const std::size_t end = ClusterEnd(text, i);
        marked += FadeTag[position[i]];
        marked += kBold;
        marked.append(text, i, end - i);
        marked += kUnbold;
        marked += E;
        marked += B;
        i = end - 1;
    }
    text = std::move(marked);

    if (Compact)
        return text;
    std::u16string result;
    result.reserve(resultLength);
    result += kWrapper;
    result += text;
    result += E;
    return result;
}

} // namespace WendrikFaderV2
