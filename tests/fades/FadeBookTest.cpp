// The fades file's model: what is read, what is kept on rewrite, and what is refused.
#include "FadeBook.h"
#include "FadeFont.h"
#include "FadeName.h"
#include "FadeNotice.h"
#include "Gallery.h"
#include "Utf8.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

using namespace quillon::fades;
using Json = nlohmann::ordered_json;

namespace {

constexpr std::string_view kExample = R"({
  "start": "mine",
  "fades": [
    { "name": "mine", "colours": ["#0A141E", "#28323C", "#46505A"], "style": "first-bold", "font": "Courier New" }
  ]
})";

FadeBook Read(std::string_view text) {
    auto parsed = FadeBook::Parse(text);
    if (auto* damage = std::get_if<Damage>(&parsed)) {
        ADD_FAILURE() << "damaged: " << std::string(damage->why.begin(), damage->why.end());
        return {};
    }
    return std::get<FadeBook>(std::move(parsed));
}

std::string Utf8(std::u16string_view text) {
    const auto utf8 = ToUtf8(text);
    EXPECT_TRUE(utf8) << "whole text";
    return utf8.value_or("");
}

std::string Narrow(std::u16string_view text) {
    std::string narrow;
    for (const char16_t c : text)
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

Fade Sample(std::u16string name, std::uint8_t shade, std::size_t count = 2) {
    return {std::move(name), std::vector<Colour>(count, Colour{shade, 0, 255}), Style::AllBold,
            u"Verdana"};
}

// A file of one entry with these name and font.
std::string OneEntry(std::u16string_view name, std::u16string_view font) {
    Json entry = {{"name", Utf8(name)},
                  {"colours", {"#000000", "#FFFFFF"}},
                  {"style", "plain"},
                  {"font", Utf8(font)}};
    return Json{{"fades", Json::array({entry})}}.dump();
}

std::vector<std::u16string> Names(const FadeBook& book) {
    std::vector<std::u16string> names;
    for (const Fade& fade : book.Saved())
        names.push_back(fade.name);
    return names;
}

} // namespace

TEST(FadeFile, RoundTripKeepsEveryFieldInAnyScript) {
    FadeBook book = Read(kExample);
    const std::vector<Colour> mine = {{0x0A, 0x14, 0x1E}, {0x28, 0x32, 0x3C}, {0x46, 0x50, 0x5A}};
    ASSERT_EQ(book.Saved(), (std::vector<Fade>{{u"mine", mine, Style::FirstBold, u"Courier New"}}));
    EXPECT_EQ(book.Start(), u"mine");
    EXPECT_EQ(book.StartLook(), (Look{mine, Style::FirstBold, u"Courier New"}));

    const Fade russian{u"Закат 🌅",
                       {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {250, 251, 252}},
                       Style::AllBold,
                       u"MS ゴシック"};
    ASSERT_EQ(book.Save(russian, Replace::No), Outcome::Done);
    ASSERT_EQ(book.Save({u"  夕焼け\u3000", {{255, 0, 0}, {0, 0, 255}}, Style::Plain, u" Arial "},
                        Replace::No),
              Outcome::Done);
    ASSERT_EQ(book.SetStart(u"Ocean"), Outcome::Done);

    const std::string text = book.Serialise();
    EXPECT_NE(text.find("\"#FAFBFC\""), std::string::npos) << text;
    EXPECT_NE(text.find("Закат 🌅"), std::string::npos) << "written as UTF-8, not escaped";
    const FadeBook again = Read(text);
    EXPECT_EQ(again.Saved(), book.Saved());
    EXPECT_EQ(Names(again), (std::vector<std::u16string>{u"mine", u"Закат 🌅", u"夕焼け"}));
    EXPECT_EQ(again.Saved().back().font, u" Arial ") << "a font is kept exactly as given";
    EXPECT_EQ(again.Start(), u"Ocean");
    // A built-in start sets the colours only.
    EXPECT_EQ(again.StartLook(),
              (Look{{{0x00, 0x77, 0xB6}, {0x00, 0xB4, 0xD8}, {0x90, 0xE0, 0xEF}}, {}, {}}));
    EXPECT_EQ(again.Serialise(), text);
}

TEST(FadeFile, KeysQuillonDoesNotKnowSurviveEveryChange) {
    FadeBook book = Read(R"({
        "theme": {"deep": [1, {"x": null}]},
        "fades": [
            {"name": "mine", "note": "for Fridays", "colours": ["#000000", "#FFFFFF"],
             "style": "plain", "font": "Arial", "shared-by": 3},
            {"name": "gone", "colours": ["#000000", "#FFFFFF"], "style": "plain", "font": "Arial"}
        ],
        "version": 2
    })");
    ASSERT_EQ(book.Save(Sample(u"mine", 9, 4), Replace::Yes), Outcome::Done);
    ASSERT_EQ(book.Save(Sample(u"new", 1), Replace::No), Outcome::Done);
    ASSERT_EQ(book.Delete(u"gone"), Outcome::Done);
    ASSERT_EQ(book.SetStart(u"new"), Outcome::Done);

    const Json file = Json::parse(book.Serialise());
    std::vector<std::string> keys;
    for (const auto& [key, value] : file.items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"start", "theme", "fades", "version"}));
    EXPECT_EQ(file["theme"], Json::parse(R"({"deep": [1, {"x": null}]})"));
    EXPECT_EQ(file["version"], 2);
    ASSERT_EQ(file["fades"].size(), 2u);
    const Json& mine = file["fades"][0];
    keys.clear();
    for (const auto& [key, value] : mine.items())
        keys.push_back(key);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"name", "note", "colours", "style", "font", "shared-by"}));
    EXPECT_EQ(mine["note"], "for Fridays");
    EXPECT_EQ(mine["colours"].size(), 4u) << "the replaced fields are the new ones";
    EXPECT_EQ(mine["style"], "all-bold");
    EXPECT_EQ(file["fades"][1]["name"], "new");
}

TEST(FadeFile, EachKindOfDamageIsToldApartFromAGoodFile) {
    const std::string deep = std::string(70, '[') + std::string(70, ']');
    const std::string damaged[] = {
        "",
        "   ",
        "{",
        R"({"fades": [}])",
        "[]",
        "\"fades\"",
        "null",
        R"({"fades": {}})",
        R"({"fades": "mine"})",
        R"({"start": 3})",
        R"({"start": null})",
        "{\"start\": \"caf\xE9\"}", // Latin-1, not UTF-8
        "{\"x\": " + deep + "}",
        "{\"x\": \"" + std::string(FadeBook::kMaxFileBytes, 'a') + "\"}",
        "{} // a comment",
    };
    for (const std::string& text : damaged) {
        const auto parsed = FadeBook::Parse(text);
        ASSERT_TRUE(std::holds_alternative<Damage>(parsed)) << text.substr(0, 60);
        EXPECT_FALSE(std::get<Damage>(parsed).why.empty());
    }
    const auto syntax = FadeBook::Parse("{\n  \"fades\": [,]\n}");
    EXPECT_EQ(std::get<Damage>(syntax).why, u"it is not JSON in UTF-8 (line 2, column 13)");

    // What a hand-kept file may well hold: a byte order mark, no fades, nesting of its own.
    const std::string good[] = {"{}", "\xEF\xBB\xBF" + std::string(kExample),
                                R"({"start": "Grape"})",
                                R"({"fades": [], "x": )" + deep.substr(30, 80) + "}"};
    for (const std::string& text : good)
        EXPECT_TRUE(std::holds_alternative<FadeBook>(FadeBook::Parse(text))) << text;
}

TEST(FadeFile, ABadEntrySkipsOnlyItselfAndStaysInTheFile) {
    const std::string entries[] = {
        R"({"name": "a", "colours": ["#000000", "#ffffff"], "style": "plain", "font": "Arial"})",
        R"(5)",
        R"({"colours": ["#000000", "#FFFFFF"], "style": "plain", "font": "Arial"})",
        R"({"name": " ", "colours": ["#000000", "#FFFFFF"], "style": "plain", "font": "Arial"})",
        R"({"name": ")" + std::string(41, 'n') +
            R"(", "colours": ["#000000", "#FFFFFF"], "style": "plain", "font": "Arial"})",
        R"({"name": "x\ny", "colours": ["#000000", "#FFFFFF"], "style": "plain", "font": "Arial"})",
        R"({"name": "Ocean", "colours": ["#000000", "#FFFFFF"], "style": "plain", "font": "Arial"})",
        R"({"name": "c1", "colours": ["#000000", "#12345G"], "style": "plain", "font": "Arial"})",
        R"({"name": "c2", "colours": ["#000000", "FFFFFF"], "style": "plain", "font": "Arial"})",
        R"({"name": "c3", "colours": ["#000000", 16777215], "style": "plain", "font": "Arial"})",
        R"({"name": "one", "colours": ["#000000"], "style": "plain", "font": "Arial"})",
        R"({"name": "five", "colours": ["#000000", "#000000", "#000000", "#000000", "#000000"],
            "style": "plain", "font": "Arial"})",
        R"({"name": "bold", "colours": ["#000000", "#FFFFFF"], "style": "bold", "font": "Arial"})",
        R"({"name": "nofont", "colours": ["#000000", "#FFFFFF"], "style": "plain"})",
        R"({"name": "a", "colours": ["#111111", "#FFFFFF"], "style": "plain", "font": "Arial"})",
        R"({"name": "b", "colours": ["#000000", "#FFFFFF", "#000000"], "style": "all-bold", "font": "Tahoma"})",
    };
    std::string text = R"({"start": "c1", "fades": [)";
    for (const std::string& entry : entries)
        text += entry + (&entry == &entries[std::size(entries) - 1] ? "" : ",");
    text += "]}";

    FadeBook book = Read(text);
    EXPECT_EQ(Names(book), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(book.Saved()[0].colours[1], (Colour{255, 255, 255})) << "either case of hex digits";
    ASSERT_EQ(book.SkippedEntries().size(), std::size(entries) - 2);
    EXPECT_EQ(book.SkippedEntries()[6],
              (Skipped{8, u"\"c1\": colour 2 is not a colour code like #FF9500"}));
    EXPECT_EQ(book.SkippedEntries().back(), (Skipped{15, u"a second fade is named \"a\""}));
    EXPECT_EQ(book.Start(), std::nullopt) << "a start naming a skipped fade is not used";
    EXPECT_EQ(book.UnknownStart(), u"c1");

    // Saving another fade rewrites the file without losing the entries it could not read.
    ASSERT_EQ(book.Save(Sample(u"c", 3), Replace::No), Outcome::Done);
    const FadeBook again = Read(book.Serialise());
    EXPECT_EQ(again.SkippedEntries(), book.SkippedEntries());
    EXPECT_EQ(Names(again), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    EXPECT_EQ(again.UnknownStart(), u"c1");
}

TEST(FadeNames, TrimmedAndCountedInCharactersOfAnyScript) {
    EXPECT_EQ(TrimName(u" \t\u3000\u00A0My fade\u2003\r\n"), u"My fade");
    const std::u16string smiles40 = [] {
        std::u16string s;
        for (int i = 0; i < 40; ++i)
            s += u"😀";
        return s;
    }();
    EXPECT_EQ(CheckName(smiles40), std::nullopt) << "40 characters are 80 UTF-16 units here";
    EXPECT_EQ(CheckName(smiles40 + u"a"), NameProblem::TooLong);
    EXPECT_EQ(CheckName(std::u16string(40, u'я')), std::nullopt);
    EXPECT_EQ(CheckName(std::u16string(41, u'я')), NameProblem::TooLong);
    EXPECT_EQ(CheckName(u""), NameProblem::Empty);
    EXPECT_EQ(CheckName(u"half \xD83D pair"), NameProblem::BadCharacter);
    EXPECT_EQ(CheckName(u"bell\u0007"), NameProblem::BadCharacter);

    FadeBook book;
    EXPECT_EQ(book.Save(Sample(u"\u3000 ", 1), Replace::No), Outcome::BadName);
    EXPECT_EQ(book.Save(Sample(u"  " + std::u16string(41, u'x') + u"  ", 1), Replace::No),
              Outcome::BadName);
    ASSERT_EQ(book.Save(Sample(u"  " + std::u16string(40, u'x') + u"  ", 1), Replace::No),
              Outcome::Done);
    EXPECT_EQ(Names(book), (std::vector<std::u16string>{std::u16string(40, u'x')}));
}

TEST(FadeSaving, ATakenNameAsksFirstAndBuiltInsCannotBeReplaced) {
    FadeBook book;
    ASSERT_EQ(book.Save(Sample(u"mine", 1), Replace::No), Outcome::Done);
    EXPECT_EQ(book.Save(Sample(u" mine ", 2), Replace::No), Outcome::NameTaken);
    EXPECT_EQ(book.Find(u"mine")->colours[0].red, 1) << "nothing replaced before the answer";
    ASSERT_EQ(book.Save(Sample(u"mine", 2, 3), Replace::Yes), Outcome::Done);
    EXPECT_EQ(book.Find(u"mine"), (Look{Sample(u"", 2, 3).colours, Style::AllBold, u"Verdana"}));
    EXPECT_EQ(book.Saved().size(), 1u);

    EXPECT_EQ(book.Save(Sample(u"Ocean", 1), Replace::Yes), Outcome::BuiltInName);
    EXPECT_EQ(book.Save(Sample(u" Rainbow", 1), Replace::No), Outcome::BuiltInName);
    EXPECT_EQ(book.Find(u"Ocean")->style, std::nullopt) << "still the built-in, colours only";
    EXPECT_EQ(book.Delete(u"Ocean"), Outcome::Unchanged);

    EXPECT_EQ(book.Save(Sample(u"one", 1, 1), Replace::No), Outcome::BadFade);
    EXPECT_EQ(book.Save(Sample(u"five", 1, 5), Replace::No), Outcome::BadFade);
    Fade halfSurrogate = Sample(u"font", 1);
    halfSurrogate.font = u"Ari\xDC00l";
    EXPECT_EQ(book.Save(halfSurrogate, Replace::No), Outcome::BadFade);

    EXPECT_EQ(book.SetStart(u"nobody"), Outcome::UnknownFade);
    EXPECT_EQ(book.SetStart(std::nullopt), Outcome::Unchanged);
    ASSERT_EQ(book.SetStart(u"mine"), Outcome::Done);
    EXPECT_EQ(book.SetStart(u"mine"), Outcome::Unchanged);
    // Deleting the start fade goes back to the design values.
    ASSERT_EQ(book.Delete(u"mine"), Outcome::Done);
    EXPECT_EQ(book.Start(), std::nullopt);
    EXPECT_FALSE(Json::parse(book.Serialise()).contains("start"));
    EXPECT_EQ(book.Delete(u"mine"), Outcome::Unchanged);
}

TEST(Gallery, HoldsTheSharedNamesAndCodesInOrder) {
    std::vector<std::string> shown;
    for (const BuiltInFade& fade : Gallery()) {
        std::string line(fade.name.begin(), fade.name.end());
        for (const Colour colour : fade.Colours())
            line.append(" ").append(ColourCode(colour));
        shown.push_back(line);
    }
    EXPECT_EQ(shown,
              (std::vector<std::string>{
                  "Sunset #FF5E3A #FF9500 #FFCC00", "Ocean #0077B6 #00B4D8 #90E0EF",
                  "Forest #1B5E20 #66BB6A", "Fire #B22222 #FF4500 #FFD700", "Ice #0047AB #ADD8E6",
                  "Neon #FF00FF #00FFFF", "Rainbow #FF0000 #FFFF00 #00FF00 #0000FF",
                  "Gold #B8860B #FFD700 #B8860B", "Grape #4B0082 #BA55D3"}));
}

// The attack of a shared file: a font that closes the font tag and opens a link.
constexpr std::u16string_view kLinkFont =
    u"Arial><a href=\"http://x.example/\">free stuff</a><font face=Arial";

TEST(FadeFonts, AFontIsAFaceNameTheFontBoxCouldHoldAndSendCanPost) {
    const std::u16string good[] = {
        u"Arial",    u"Comic Sans MS", u" Arial ",           std::u16string(kMaxFontUnits, u'a'),
        u"微软雅黑", u"MS ゴシック",   u"@Arial Unicode MS", u"Ω😀"};
    struct Bad {
        std::u16string font;
        FontProblem problem;
    };
    const Bad bad[] = {
        {u"", FontProblem::Empty},
        {std::u16string(kMaxFontUnits + 1, u'a'), FontProblem::TooLong},
        {std::u16string(500000, u'a'), FontProblem::TooLong},
        {std::u16string(kLinkFont), FontProblem::BadCharacter},
        {std::u16string(kMaxFontUnits + 1, u'<'), FontProblem::BadCharacter},
        {u"Arial<", FontProblem::BadCharacter},
        {u"Arial>", FontProblem::BadCharacter},
        {u"Ari\"al", FontProblem::BadCharacter},
        {u"Arial &amp;", FontProblem::BadCharacter},
        {u"Arial'", FontProblem::BadCharacter},
        {u"Arial size=7", FontProblem::BadCharacter},
        {u"Arial\u0001", FontProblem::BadCharacter},
        {u"Arial\t", FontProblem::BadCharacter},
        {u"Ari\u0085al", FontProblem::BadCharacter},
        {u"Ari\u200Bal", FontProblem::BadCharacter},
        {u"\uFEFFArial", FontProblem::BadCharacter},
        {u"Arial\u202E", FontProblem::BadCharacter},
        {u"Ari\xD800l", FontProblem::BadCharacter},
        {u"Arial\xDC00", FontProblem::BadCharacter},
        {u"Ar><a>", FontProblem::BadCharacter},
    };
    for (const std::u16string& font : good) {
        SCOPED_TRACE(Narrow(font));
        EXPECT_EQ(CheckFont(font), std::nullopt);
        const FadeBook book = Read(OneEntry(u"mine", font));
        ASSERT_EQ(book.Saved().size(), 1u);
        EXPECT_EQ(book.Saved()[0].font, font) << "kept exactly as given";
        FadeBook saving;
        Fade fade = Sample(u"mine", 1);
        fade.font = font;
        EXPECT_EQ(saving.Save(fade, Replace::No), Outcome::Done);
    }
    for (const Bad& entry : bad) {
        SCOPED_TRACE(Narrow(entry.font.substr(0, 40)));
        EXPECT_EQ(CheckFont(entry.font), entry.problem);
        if (ToUtf8(entry.font) && entry.font.size() < 1000) { // whole text, in a file of no size
            const FadeBook book = Read(OneEntry(u"mine", entry.font));
            EXPECT_TRUE(book.Saved().empty()) << "left out";
            ASSERT_EQ(book.SkippedEntries().size(), 1u);
            const std::u16string& why = book.SkippedEntries()[0].why;
            EXPECT_EQ(why.rfind(u"\"mine\": its font is not a font name (", 0), 0u) << Narrow(why);
            EXPECT_LT(why.size(), 120u) << "the font itself is not quoted";
        }
        FadeBook saving;
        Fade fade = Sample(u"mine", 1);
        fade.font = entry.font;
        EXPECT_EQ(saving.Save(fade, Replace::No), Outcome::BadFade);
        EXPECT_TRUE(saving.Saved().empty());
    }
}

TEST(FadeFonts, TheLinkFontOfASharedFileIsLeftOutAndTheStartWithIt) {
    std::string file = OneEntry(u"free", kLinkFont);
    file.insert(1, "\"start\": \"free\", ");
    const FadeBook book = Read(file);
    EXPECT_TRUE(book.Saved().empty());
    EXPECT_EQ(book.StartLook(), std::nullopt) << "Quillon starts from the design values";
    EXPECT_EQ(book.UnknownStart(), u"free");
    Notice notice;
    notice.file = u"fades.json";
    notice.skipped = book.SkippedEntries();
    notice.unknownStart = *book.UnknownStart();
    EXPECT_EQ(
        NoticeText(notice),
        u"1 fade in fades.json could not be read and is left out (entry 1: \"free\": its font "
        u"is not a font name (it holds one of < > \" ' = & or a control or format character)). "
        u"The start fade \"free\" named in fades.json is not there, so Quillon started from the "
        u"design values.");
}

TEST(FadeNames, NoControlsNorDirectionMarksAndNoLookAlikeOfTheGallery) {
    const std::u16string family = u"\U0001F468\u200D\U0001F469\u200D\U0001F467";
    const std::u16string good[] = {u"mine",      u"Ocean blue", family,
                                   u"Oceans",    u"Océan",      u"Tom & Jerry",
                                   u"Ice cream", u"نسيم البحر", u"夕焼け"};
    const std::u16string badCharacters[] = {u"mine\u202Eevil",  u"\u202Amine", u"mi\u2066ne",
                                            u"mine\u2069",      u"mine\u200E", u"mine\u200F",
                                            u"mine\u061C",      u"bell\u0007", u"x\u0085y",
                                            u"line\u2028break", u"half \xD83D"};
    const std::pair<std::u16string, std::u16string_view> lookAlikes[] = {
        {u"Ocean\u200B", u"Ocean"},  {u"oCeAn", u"Ocean"},       {u"OCEAN", u"Ocean"},
        {u"oc\u00ADean", u"Ocean"},  {u"\uFEFFOcean", u"Ocean"}, {u"O\u200Dcean", u"Ocean"},
        {u"Oce\u2060an", u"Ocean"},  {u"Ocean\uFE0F", u"Ocean"}, {u"Ocean\u3164", u"Ocean"},
        {u"\u017Funset", u"Sunset"}, {u"grape", u"Grape"},       {u"ICE\u200C", u"Ice"}};

    for (const std::u16string& name : good) {
        SCOPED_TRACE(Narrow(name));
        EXPECT_EQ(CheckName(name), std::nullopt);
        EXPECT_EQ(BuiltInLookingLike(name), nullptr);
        FadeBook book = Read(OneEntry(name, u"Arial"));
        EXPECT_EQ(Names(book), std::vector<std::u16string>{name});
        ASSERT_EQ(book.Save(Sample(name, 2), Replace::Yes), Outcome::Done);
        ASSERT_EQ(book.SetStart(name), Outcome::Done);
        EXPECT_EQ(Read(book.Serialise()).StartLook(), book.Find(name));
    }
    for (const std::u16string& name : badCharacters) {
        SCOPED_TRACE(Narrow(name));
        EXPECT_EQ(CheckName(name), NameProblem::BadCharacter);
        if (ToUtf8(name)) {
            const FadeBook book = Read(OneEntry(name, u"Arial"));
            EXPECT_TRUE(book.Saved().empty());
            ASSERT_EQ(book.SkippedEntries().size(), 1u);
            EXPECT_EQ(book.SkippedEntries()[0].why,
                      u"its name holds a control character or one that turns the writing "
                      u"direction");
        }
        FadeBook saving;
        EXPECT_EQ(saving.Save(Sample(name, 1), Replace::No), Outcome::BadName);
    }
    for (const auto& [name, builtIn] : lookAlikes) {
        SCOPED_TRACE(Narrow(name));
        EXPECT_EQ(CheckName(name), std::nullopt) << "a name as such";
        ASSERT_NE(BuiltInLookingLike(name), nullptr);
        EXPECT_EQ(BuiltInLookingLike(name)->name, builtIn);
        EXPECT_EQ(FindBuiltIn(name), nullptr) << "not the built-in fade itself";
        std::string file = OneEntry(name, u"Arial");
        file.insert(1, "\"start\": \"" + Utf8(name) + "\", ");
        const FadeBook book = Read(file);
        EXPECT_TRUE(book.Saved().empty()) << "left out";
        ASSERT_EQ(book.SkippedEntries().size(), 1u);
        EXPECT_EQ(book.SkippedEntries()[0].why,
                  u"\"" + name + u"\" could pass for the built-in fade " + std::u16string(builtIn));
        EXPECT_EQ(book.Start(), std::nullopt) << "nor started with";
        EXPECT_EQ(book.StartLook(), std::nullopt);
        FadeBook saving;
        EXPECT_EQ(saving.Save(Sample(name, 1), Replace::Yes), Outcome::BuiltInName);
        EXPECT_EQ(saving.SetStart(name), Outcome::UnknownFade);
        EXPECT_TRUE(saving.Saved().empty());
    }
    for (const BuiltInFade& fade : Gallery())
        for (const char16_t c : fade.name)
            EXPECT_LT(c, 0x80) << "the look-alike fold covers ASCII names only";
}

TEST(FadeFile, OffersTheFirst200FadesAndSavesNoMore) {
    auto fileOf = [](std::size_t count) {
        Json list = Json::array();
        for (std::size_t i = 1; i <= count; ++i)
            list.push_back({{"name", "fade " + std::to_string(i)},
                            {"colours", {"#000000", "#FFFFFF"}},
                            {"style", "plain"},
                            {"font", "Arial"}});
        return Json{{"fades", list}}.dump();
    };
    FadeBook book = Read(fileOf(FadeBook::kMaxFades + 5));
    ASSERT_EQ(book.Saved().size(), FadeBook::kMaxFades);
    EXPECT_EQ(book.Saved().back().name, u"fade 200");
    ASSERT_EQ(book.SkippedEntries().size(), 5u);
    EXPECT_EQ(book.SkippedEntries()[0],
              (Skipped{201, u"Quillon offers the first 200 fades only", true}));
    Notice notice;
    notice.file = u"fades.json";
    notice.skipped = book.SkippedEntries();
    EXPECT_EQ(NoticeText(notice), u"fades.json holds more fades than Quillon offers: it offers the "
                                  u"first 200 and leaves out the 5 after them.");
    notice.skipped.insert(notice.skipped.begin(), Skipped{3, u"it has no name"});
    EXPECT_EQ(
        NoticeText(notice),
        u"1 fade in fades.json could not be read and is left out (entry 3: it has no name). "
        u"fades.json holds more fades than Quillon offers: it offers the first 200 and leaves "
        u"out the 5 after them.");

    // No new fade, none of those past the limit either; replacing and deleting work.
    const std::string before = book.Serialise();
    EXPECT_EQ(book.Save(Sample(u"one more", 1), Replace::No), Outcome::Full);
    EXPECT_EQ(book.Save(Sample(u"fade 203", 1), Replace::Yes), Outcome::Full);
    EXPECT_EQ(book.Serialise(), before) << "nothing changed";
    EXPECT_EQ(book.Save(Sample(u"fade 7", 1), Replace::Yes), Outcome::Done);
    EXPECT_EQ(book.Delete(u"fade 1"), Outcome::Done);
    EXPECT_EQ(book.Saved().size(), FadeBook::kMaxFades);
    EXPECT_EQ(book.Saved().back().name, u"fade 201") << "the next one moves up";

    FadeBook saving = Read(fileOf(FadeBook::kMaxFades - 1));
    EXPECT_EQ(saving.Save(Sample(u"the last", 1), Replace::No), Outcome::Done);
    EXPECT_EQ(saving.Save(Sample(u"too many", 1), Replace::No), Outcome::Full);
    EXPECT_EQ(saving.Saved().size(), FadeBook::kMaxFades);
    EXPECT_TRUE(saving.SkippedEntries().empty());
}

TEST(FadeFile, ALargerFileIsDamagedAndNoChangeWritesOne) {
    EXPECT_EQ(FadeBook::kMaxFileBytes, 256u * 1024);
    auto padded = [](std::size_t size) {
        const std::string frame = R"({"fades": [], "x": ""})";
        std::string text = frame;
        text.insert(frame.size() - 2, size - frame.size(), 'a');
        return text;
    };
    EXPECT_TRUE(std::holds_alternative<FadeBook>(FadeBook::Parse(padded(FadeBook::kMaxFileBytes))));
    const auto parsed = FadeBook::Parse(padded(FadeBook::kMaxFileBytes + 1));
    ASSERT_TRUE(std::holds_alternative<Damage>(parsed));
    EXPECT_EQ(std::get<Damage>(parsed).why, u"it is larger than 256 KB");

    // A file near the bound: a save that would write past it is refused, as it would not be read.
    FadeBook book = Read(padded(FadeBook::kMaxFileBytes - 100));
    const std::string before = book.Serialise();
    EXPECT_EQ(book.Save(Sample(u"mine", 1), Replace::No), Outcome::Full);
    EXPECT_EQ(book.SetStart(u"Ocean"), Outcome::Done) << "a short start still fits";
    EXPECT_EQ(book.Serialise().size(),
              before.size() + std::string(R"(  "start": "Ocean",)").size() + 1);
    EXPECT_TRUE(std::holds_alternative<FadeBook>(FadeBook::Parse(book.Serialise())));
}

TEST(FadeFile, AStartLongerThanANameIsUnknownAndNoticesQuoteLittle) {
    const std::string longStart = R"({"start": ")" + std::string(10000, 'x') + R"("})";
    const FadeBook book = Read(longStart);
    EXPECT_EQ(book.Start(), std::nullopt);
    EXPECT_EQ(book.UnknownStart(), std::u16string(kMaxNameLength, u'x') + u"\u2026");
    EXPECT_EQ(Read(R"({"start": ")" + std::string(40, 'x') + R"("})").UnknownStart(),
              std::u16string(40, u'x'))
        << "40 characters are shown whole";
    EXPECT_EQ(Read("{\"start\": \"a\\u202Eb\\u0007c\"}").UnknownStart(), u"a\uFFFDb\uFFFDc")
        << "shown, never obeyed";

    // Many bad entries with huge names: the notice tells of the first only, without its name.
    Json list = Json::array();
    for (int i = 0; i < 200; ++i)
        list.push_back({{"name", std::string(1000, 'n')}, {"colours", "none"}});
    const FadeBook many = Read(Json{{"start", std::string(5000, 's')}, {"fades", list}}.dump());
    Notice notice;
    notice.file = u"fades.json";
    notice.skipped = many.SkippedEntries();
    notice.unknownStart = *many.UnknownStart();
    const std::u16string text = NoticeText(notice);
    EXPECT_LT(text.size(), 300u) << Narrow(text);
    EXPECT_NE(text.find(u"200 fades in fades.json"), std::u16string::npos) << Narrow(text);
}
