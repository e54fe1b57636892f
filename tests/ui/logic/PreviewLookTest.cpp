// The preview's look of a typed line: where each typed character went in the message Send posts,
// the look that gives it, what still shows its look after an edit, and what is in view.
#include "preview/PreviewLook.h"
#include "Markup.h"
#include "preview/Spans.h"
#include "window/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillon;

namespace {

constexpr std::u16string_view kR = u"<font color=#FF0000>", kG = u"<font color=#00FF00>",
                              kB = u"<font color=#0000FF>";

std::u16string Cat(std::initializer_list<std::u16string_view> parts) {
    std::u16string out;
    for (std::u16string_view part : parts)
        out += part;
    return out;
}

// One letter a typed character: '_' hidden, '<' part of a tag the user typed; shown, the colour
// of its piece (R, G, B, K for none, ? for another), lower case where bold. '!' where the piece
// does not show that character.
std::string Placed(std::u16string_view typed, std::u16string_view message) {
    const auto pieces = ChatMarkup::ReadMarkup(ToWide(message));
    const auto places = PlaceTypedCharacters(typed, message, pieces);
    if (!places)
        return "nowhere";
    if (places->size() != typed.size())
        return "a place for " + std::to_string(places->size()) + " characters";
    std::string out;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const Place& place = (*places)[i];
        if (place.role != Place::Role::Shown) {
            out += place.role == Place::Role::Hidden ? '_' : '<';
            continue;
        }
        const ChatMarkup::MarkupPiece& piece = pieces.at(place.piece);
        if (piece.text.find(static_cast<wchar_t>(typed[i])) == std::wstring::npos) {
            out += '!';
            continue;
        }
        const auto colour = piece.style.colour;
        char letter = !colour                                 ? 'K'
                      : *colour == ChatMarkup::Rgb{255, 0, 0} ? 'R'
                      : *colour == ChatMarkup::Rgb{0, 255, 0} ? 'G'
                      : *colour == ChatMarkup::Rgb{0, 0, 255} ? 'B'
                                                              : '?';
        out += piece.style.bold ? static_cast<char>(letter - 'A' + 'a') : letter;
    }
    return out;
}

SendInputs Inputs(std::u16string line) {
    SendInputs in;
    in.swatches = {0x0000FF, 0xFF0000, 0, 0}; // red, blue
    in.line = std::move(line);
    in.font = u"Arial";
    return in;
}

} // namespace

// The message holds the typed characters in order with tags inserted between them, characters
// deleted (line breaks, blanks at the ends) or replaced ("<br>" for a break).
TEST(PlaceTypedCharacters, FindsEachTypedCharacterInTheMessage) {
    struct Row {
        const char* what;
        std::u16string typed, message;
        std::string placed;
    };
    const Row rows[] = {
        {"a tag inserted before each character", u"abc", Cat({kR, u"a", kG, u"b", kB, u"c"}),
         "RGB"},
        {"one tag for a run", u"abc", Cat({kR, u"ab", kG, u"c"}), "RRG"},
        {"blanks trimmed at both ends", u"  hi ", Cat({kR, u"h", kG, u"i"}), "__RG_"},
        {"line breaks deleted", u"a\r\nb", Cat({kR, u"a", kG, u"b"}), "R__G"},
        {"a line break replaced by <br>", u"a\nb", Cat({kR, u"a<br>", kG, u"b"}), "R_G"},
        {"a line break kept", u"a\r\nb", Cat({kR, u"a\r\n", kG, u"b"}), "R__G"},
        {"tags the user typed", u"<b>x</b>y", Cat({kR, u"<b>x</b>", kG, u"y"}), "<<<r<<<<G"},
        {"a tag the user typed that the fader writes too", Cat({kG, u"a"}), Cat({kR, kG, u"a"}),
         std::string(kG.size(), '<') + "G"},
        {"the user's stray '<' is text", u"a<b", Cat({kR, u"a", kG, u"<", kB, u"b"}), "RGB"},
        {"a surrogate pair with one tag", u"a\U0001F600b",
         Cat({kR, u"a", kG, u"\U0001F600", kB, u"b"}), "RGGB"},
        {"a right-to-left run in reading order", u"ab \u05E9\u05DC\u05D5\u05DD",
         Cat({kR, u"a", kG, u"b", kB, u" ", kR, u"\u05E9", kG, u"\u05DC", kB, u"\u05D5", kR,
              u"\u05DD"}),
         "RGBRGBR"},
        {"a right-to-left mark", u"\u200Fx", Cat({kR, u"\u200F", kG, u"x"}), "RG"},
        {"a character replaced", u"abc", Cat({kR, u"a", kG, u"b", kB, u"d"}), "nowhere"},
        {"a character more in the message", u"ab", Cat({kR, u"a", kG, u"bc"}), "nowhere"},
        {"a character fewer in the message", u"abc", Cat({kR, u"a", kG, u"b"}), "nowhere"},
        {"nothing typed", u"", Cat({kR}), ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Placed(row.typed, row.message), row.placed) << row.what;
}

// A line as long as the fader takes, faded one tag a character, and one of the same length in
// tags the user typed, each found whole.
TEST(PlaceTypedCharacters, ALineOf32767Characters) {
    std::u16string typed, message;
    for (std::size_t i = 0; typed.size() < 32767; ++i) {
        const char16_t c = u"ab \u05D0\u05D1"[i % 5];
        typed += c;
        message.append(i % 2 ? kG : kR).push_back(c);
    }
    std::string expected;
    for (std::size_t i = 0; i < typed.size(); ++i)
        expected += i % 2 ? 'G' : 'R';
    EXPECT_EQ(Placed(typed, message), expected);

    std::u16string tags;
    while (tags.size() + 8 <= 32767)
        tags += u"<b>x</b>";
    EXPECT_EQ(Placed(tags, Cat({kR, tags})).find_first_not_of("<r"), std::string::npos);
}

TEST(LookOfLine, EachCharacterTakesTheLookTheRoomGivesIt) {
    const LineLook look = LookOfLine(Inputs(u"a\U0001F600\u05D0b"), u"Arial");
    ASSERT_EQ(look.chars.size(), 5u);
    EXPECT_EQ(look.chars[0].colour, 0x0000FFu) << "the first swatch, red";
    EXPECT_NE(look.chars[4].colour, look.chars[0].colour) << "a fade";
    EXPECT_EQ(look.chars[1], look.chars[2]) << "both halves of the pair";
    EXPECT_NE(look.chars[2], look.chars[3]);
    EXPECT_EQ(look.faces, std::vector<std::u16string>{u"Arial"});

    SendInputs typedTags = Inputs(u"a <b>bold</b> move");
    typedTags.check3 = 1; // first letters: the user's tags stay tags
    const LineLook tagged = LookOfLine(typedTags, u"Arial");
    for (std::size_t i : {2, 3, 4, 9, 10, 11, 12})
        EXPECT_EQ(tagged.chars[i], CharLook{kMarkupColour}) << i;
    EXPECT_TRUE(tagged.chars[5].bold);
}

// A font box holding markup: the preview shows the face Send names, the characters of the tag left
// out, and every typed character in its fade as for any face.
TEST(LookOfLine, AFontHoldingMarkupShowsTheFaceSendNames) {
    SendInputs in = Inputs(u"abc");
    in.font = u"Arial><a href=x>";
    const LineLook look = LookOfLine(in, u"Tahoma");
    EXPECT_EQ(look.faces, std::vector<std::u16string>{u"Ariala hrefx"});
    ASSERT_EQ(look.chars.size(), 3u);
    EXPECT_EQ(look.chars[0].colour, 0x0000FFu);
    EXPECT_EQ(look.chars[0].face, 0u);
    EXPECT_NE(look.chars[2].colour, look.chars[0].colour);
}

// The fader takes 32 767 characters and refuses one more: that line looks plain, in the face Send
// names, and no box is shown.
TEST(LookOfLine, TheLongestLineIsFadedAndOneMoreLooksPlain) {
    int refusals = 0;
    WendrikFaderV2::SetRefusalPresenter([&](std::u16string_view) { ++refusals; });
    std::u16string line(32767, u'x');
    SendInputs in = Inputs(line);
    in.font = u"Comic Sans MS";
    const LineLook faded = LookOfLine(in, u"Arial");
    ASSERT_EQ(faded.chars.size(), line.size());
    EXPECT_EQ(faded.chars.front().colour, 0x0000FFu);
    EXPECT_NE(faded.chars.back().colour, faded.chars.front().colour);
    EXPECT_EQ(faded.faces, std::vector<std::u16string>{u"Comic Sans MS"});

    in.line += u'x';
    const LineLook plain = LookOfLine(in, u"Arial");
    EXPECT_EQ(plain.chars, std::vector<CharLook>(line.size() + 1, CharLook{}));
    EXPECT_EQ(plain.faces, std::vector<std::u16string>{u"Comic Sans MS"});
    WendrikFaderV2::SetRefusalPresenter(nullptr);
    EXPECT_EQ(refusals, 0) << "the preview notes a refusal, it shows none";
}

// Which old character's look each new character still shows ('?' none) after an edit.
TEST(CarryOver, KeepsTheLooksOfTheCharactersAnEditLeftInPlace) {
    struct Row {
        const char* what;
        std::u16string before, after;
        std::string kept;
    };
    const Row rows[] = {
        {"nothing changed", u"abc", u"abc", "012"},
        {"an insertion", u"abcd", u"abXcd", "01?23"},
        {"an insertion at the end", u"abc", u"abcd", "012?"},
        {"an insertion at the start", u"abc", u"Xabc", "?012"},
        {"a deletion", u"abcd", u"acd", "023"},
        {"a replacement", u"abcd", u"aXcd", "0?23"},
        {"a paste over a selection", u"abcdef", u"abXYZef", "01???45"},
        {"the same character typed beside itself", u"ab", u"aab", "??1"},
        {"one of two alike deleted", u"aab", u"ab", "?2"},
        {"everything replaced", u"abc", u"xyz", "???"},
        {"everything deleted", u"abc", u"", ""},
        {"a pair replaced by one sharing its first half", u"a\U0001F600b", u"a\U0001F601b", "01?3"},
        {"an insertion before a pair", u"a\U0001F600", u"aX\U0001F600", "0?12"},
        {"right to left", u"\u05E9\u05DC\u05D5\u05DD", u"\u05E9\u05DC\u05D5X\u05DD", "012?3"},
    };
    for (const Row& row : rows) {
        std::vector<CharLook> shown;
        for (std::size_t i = 0; i < row.before.size(); ++i)
            shown.push_back(CharLook{static_cast<std::uint32_t>(i)});
        const CharLook unknown{0xFFFFFFFFu};
        std::string kept;
        for (const CharLook& look : CarryOver(row.before, row.after, shown, unknown))
            kept += look == unknown ? '?' : static_cast<char>('0' + look.colour);
        EXPECT_EQ(kept, row.kept) << row.what;
    }
}

// What is formatted at once: from the character at one edge of the box to the one at the other,
// however the line orders them, never first > last, never half a character. Right to left, a
// line wider than the box has its left edge's character after its right edge's.
TEST(CharactersInView, ARightToLeftLineWiderThanTheBox) {
    const std::u16string hebrew(200, u'\u05D0');
    std::u16string pairs = hebrew; // characters beyond U+FFFF at 5-6 and 24-25
    pairs.replace(5, 2, u"\U00010900");
    pairs.replace(24, 2, u"\U00010900");
    struct Row {
        const char* what;
        const std::u16string& text;
        std::size_t oneEdge, otherEdge, first, last;
    };
    const Row rows[] = {
        {"left to right", hebrew, 10, 30, 6, 35},
        {"right to left", hebrew, 30, 10, 6, 35},
        {"one character in view", hebrew, 50, 50, 46, 55},
        {"edges past the end", hebrew, 500, 190, 186, 200},
        {"at the start", hebrew, 0, 3, 0, 8},
        {"a margin ending between the halves of a pair", pairs, 10, 20, 5, 26},
        {"the same, right to left", pairs, 20, 10, 5, 26},
        {"a margin starting between the halves of a pair", pairs, 10, 10, 5, 15},
        {"no text", u"", 7, 3, 0, 0},
    };
    for (const Row& row : rows) {
        const auto [first, last] = CharactersInView(row.text, row.oneEdge, row.otherEdge, 4);
        EXPECT_EQ(first, row.first) << row.what;
        EXPECT_EQ(last, row.last) << row.what;
        EXPECT_LE(first, last) << row.what;
    }
    using Span = std::pair<std::size_t, std::size_t>;
    EXPECT_EQ(WholeCharacters(pairs, 6, 25), Span(5, 26));
    EXPECT_EQ(WholeCharacters(pairs, 5, 24), Span(5, 24));
    EXPECT_EQ(WholeCharacters(u"\xDC00\xD800", 1, 1), Span(1, 1)) << "lone halves are no pair";
}
