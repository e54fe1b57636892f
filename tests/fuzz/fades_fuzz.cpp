// Feeds arbitrary bytes to the fades file reader as a fades.json from a stranger would, and aborts
// when an invariant breaks: every fade offered obeys the rules, a notice quotes little, the file
// Quillon would write reads back to the same fades, and saving, deleting and choosing the start
// keep all of that. The last bytes of the input choose the changes tried.
#include "FadeBook.h"
#include "FadeFont.h"
#include "FadeName.h"
#include "FadeNotice.h"
#include "Gallery.h"
#include "Utf8.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <variant>

namespace {

using namespace quillon::fades;

void Fail(const char* what, std::u16string_view detail = {}) {
    std::string narrow;
    for (const char16_t c : detail.substr(0, 200))
        narrow += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    std::fprintf(stderr, "fades_fuzz: %s %s\n", what, narrow.c_str());
    std::abort();
}

void Check(bool ok, const char* what, std::u16string_view detail = {}) {
    if (!ok)
        Fail(what, detail);
}

// Text a notice may show: bounded, and nothing that runs on or turns the text around it.
void CheckQuotable(std::u16string_view text, std::size_t bound, const char* what) {
    Check(text.size() <= bound, what, text);
    Check(ToUtf8(text).has_value(), what, text);
    for (const char16_t c : text)
        Check(c >= 0x20 && !(c >= 0x7F && c <= 0x9F) && c != 0x202E && c != 0x2066 && c != 0x2028,
              what, text);
}

// The rules again, written out plainly beside the code under test, for the characters that matter.
bool PlainlyAFont(std::u16string_view font) {
    if (font.empty() || font.size() > 31 || !ToUtf8(font))
        return false;
    for (const char16_t c : font)
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) ||
            std::u16string_view(u"<>\"'=&").find(c) != std::u16string_view::npos || c == 0x00AD ||
            (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
            (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF)
            return false;
    return true;
}

bool PlainlyAName(std::u16string_view name) {
    if (name.empty() || CountCodePoints(name) > 40 || !ToUtf8(name))
        return false;
    for (const char16_t c : name)
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
            c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) ||
            (c >= 0x2066 && c <= 0x2069))
            return false;
    return true;
}

// A gallery name once the invisible characters this list knows are dropped and ASCII is folded.
bool PlainlyAGalleryName(std::u16string_view name) {
    std::u16string folded;
    for (const char16_t c : name) {
        if (c == 0x00AD || (c >= 0x200B && c <= 0x200F) || (c >= 0x2060 && c <= 0x206F) ||
            c == 0xFEFF || (c >= 0xFE00 && c <= 0xFE0F) || c == 0x034F)
            continue;
        folded += c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    }
    for (const std::u16string_view builtIn :
         {u"sunset", u"ocean", u"forest", u"fire", u"ice", u"neon", u"rainbow", u"gold", u"grape"})
        if (folded == builtIn)
            return true;
    return false;
}

void CheckBook(const FadeBook& book) {
    const auto& saved = book.Saved();
    Check(saved.size() <= FadeBook::kMaxFades, "more fades than the bound");
    std::set<std::u16string> names;
    for (std::size_t i = 0; i < saved.size(); ++i) {
        const Fade& fade = saved[i];
        Check(fade.colours.size() >= kMinColours && fade.colours.size() <= kMaxColours,
              "a fade without 2 to 4 colours", fade.name);
        Check(!CheckFont(fade.font) && PlainlyAFont(fade.font), "a fade whose font is no font name",
              fade.font);
        Check(TrimName(fade.name) == fade.name && !CheckName(fade.name) && PlainlyAName(fade.name),
              "a bad name", fade.name);
        Check(!BuiltInLookingLike(fade.name) && !PlainlyAGalleryName(fade.name),
              "a name that passes for a built-in one", fade.name);
        Check(names.insert(fade.name).second, "two fades of one name", fade.name);
        if (i < 8 || i + 1 == saved.size()) { // Find is linear: a few, not all of 200
            const auto look = book.Find(fade.name);
            Check(look && *look == Look{fade.colours, fade.style, fade.font}, "Find disagrees",
                  fade.name);
        }
    }
    if (book.Start()) {
        Check(!book.UnknownStart(), "a start both known and unknown");
        Check(book.StartLook().has_value(), "a start fade that is not there", *book.Start());
        Check(!CheckName(*book.Start()), "a start fade with a bad name", *book.Start());
    }
    if (book.UnknownStart())
        CheckQuotable(*book.UnknownStart(), 2 * kMaxNameLength + 1, "an unknown start");
    std::size_t last = 0;
    for (const Skipped& skipped : book.SkippedEntries()) {
        Check(skipped.entry > last, "skipped entries out of order");
        last = skipped.entry;
        CheckQuotable(skipped.why, 200, "a reason");
    }
    Notice notice;
    notice.file = u"C:\\fades.json";
    notice.skipped = book.SkippedEntries();
    notice.unknownStart = book.UnknownStart().value_or(u"");
    CheckQuotable(NoticeText(notice), 600, "a notice");
}

FadeBook Reread(const FadeBook& book) {
    const std::string bytes = book.Serialise();
    auto again = FadeBook::Parse(bytes);
    if (auto* damage = std::get_if<Damage>(&again))
        Fail("a serialised book does not read back:", damage->why);
    return std::get<FadeBook>(std::move(again));
}

void CheckSame(const FadeBook& a, const FadeBook& b) {
    Check(a.Saved() == b.Saved(), "the saved fades differ after a round trip");
    Check(a.Start() == b.Start(), "the start differs after a round trip");
    Check(a.UnknownStart() == b.UnknownStart(), "the unknown start differs after a round trip");
    Check(a.SkippedEntries() == b.SkippedEntries(), "the skipped entries differ");
}

// After a change: the book keeps the rules, and the file Quillon would write reads back to it.
void CheckChange(const FadeBook& before, const FadeBook& after, Outcome outcome) {
    CheckBook(after);
    if (outcome != Outcome::Done) {
        Check(after.Serialise() == before.Serialise(), "a refused change changed the book");
        return;
    }
    Check(after.Serialise().size() <= FadeBook::kMaxFileBytes, "a change wrote a file too large");
    CheckSame(after, Reread(after));
}

// Names and fonts a change may try: good ones, the gallery's and its look-alikes, bad ones.
constexpr std::u16string_view kNames[] = {u"mine",
                                          u" mine ",
                                          u"Ocean",
                                          u"Ocean\u200B",
                                          u"oCeAn",
                                          u"oc\u00ADean",
                                          u"\U0001F468\u200D\U0001F469\u200D\U0001F467",
                                          u"a\u202Eb",
                                          u"x\ny",
                                          u"",
                                          u"fade 1",
                                          u"Grape",
                                          u"\u017Funset"};
constexpr std::u16string_view kFonts[] = {u"Arial",
                                          u"Comic Sans MS",
                                          u"Arial><a href=x>",
                                          u"",
                                          u"Ari\u200Bal",
                                          u"微软雅黑",
                                          u"0123456789012345678901234567890",
                                          u"01234567890123456789012345678901"};

void TryChanges(const FadeBook& parsed, const std::uint8_t* data, std::size_t size) {
    FadeBook book = parsed;
    auto byte = [&](std::size_t k) { return size > k ? data[size - 1 - k] : std::uint8_t{0}; };
    for (std::size_t step = 0; step < 3; ++step) {
        const std::uint8_t choice = byte(3 * step), a = byte(3 * step + 1), b = byte(3 * step + 2);
        const FadeBook before = book;
        Outcome outcome = Outcome::Unchanged;
        std::u16string name(kNames[a % std::size(kNames)]);
        if (!book.Saved().empty() && (a & 0x80))
            name = book.Saved()[a % book.Saved().size()].name;
        switch (choice % 4) {
        case 0: {
            Fade fade{name, std::vector<Colour>(2 + b % 3, Colour{a, b, choice}),
                      static_cast<Style>(b % 3), std::u16string(kFonts[b % std::size(kFonts)])};
            outcome = book.Save(fade, (choice & 0x10) ? Replace::Yes : Replace::No);
            if (outcome == Outcome::Done) {
                const auto look = book.Find(fade.name);
                Check(look && look->colours == fade.colours && look->font == fade.font,
                      "a saved fade is not offered", fade.name);
            }
            if (CheckFont(fade.font))
                Check(outcome != Outcome::Done, "a bad font was saved", fade.font);
            if (BuiltInLookingLike(TrimName(fade.name)))
                Check(outcome != Outcome::Done, "a look-alike was saved", fade.name);
            break;
        }
        case 1:
            outcome = book.Delete(name);
            if (outcome == Outcome::Done)
                Check(!book.Find(name) || FindBuiltIn(TrimName(name)), "a deleted fade stays");
            break;
        case 2:
            outcome = book.SetStart(name);
            if (outcome == Outcome::Done)
                Check(book.Start() == TrimName(name), "the start is not the one set", name);
            break;
        default:
            outcome = book.SetStart(std::nullopt);
            Check(!book.Start() && !book.UnknownStart(), "a start is left");
            break;
        }
        CheckChange(before, book, outcome);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto parsed = FadeBook::Parse(bytes);
    if (auto* damage = std::get_if<Damage>(&parsed)) {
        Check(!damage->why.empty(), "damage without a reason");
        CheckQuotable(damage->why, 120, "a reason for damage");
        return 0;
    }
    const FadeBook& book = std::get<FadeBook>(parsed);
    CheckBook(book);
    // Quillon writes only after a change; an unchanged book whose indented form would be too
    // large is never written, so only one that fits must read back.
    if (book.Serialise().size() <= FadeBook::kMaxFileBytes)
        CheckSame(book, Reread(book));
    TryChanges(book, data, size);
    return 0;
}
