// Feeds arbitrary colours, flags and text to the fader and aborts when an invariant breaks.
// Input: a flags byte (colour count in bits 0-2, wave 0x10, compact 0x20, OKLab 0x40), three
// bytes per colour, then the text as little-endian 16-bit characters.
#include "FirstLettersOracle.h"
#include "MarkupCheck.h"
#include "WendrikFaderV2.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace WendrikFaderV2;

void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "fader_fuzz: %s %s\n", what, detail.c_str());
    std::abort();
}

void Check(bool ok, const char* what) {
    if (!ok)
        Fail(what);
}

std::size_t refusals = 0;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool presenterSet = [] {
        SetRefusalPresenter([](std::u16string_view) { ++refusals; });
        return true;
    }();
    (void)presenterSet;
    if (size == 0)
        return 0;

    const std::uint8_t flags = data[0];
    const bool wave = flags & 0x10, compact = flags & 0x20;
    const Blend blend = flags & 0x40 ? Blend::oklab : Blend::srgb;
    std::vector<Colour> colours((flags & 0x07) % 5); // 0 and 1 exercise the refusals
    std::size_t at = 1;
    for (Colour& c : colours) {
        std::uint8_t rgb[3] = {};
        for (std::uint8_t& component : rgb)
            component = at < size ? data[at++] : 0;
        c = rgb[0] + 256 * rgb[1] + 65536 * rgb[2];
    }
    std::u16string text;
    for (; at + 1 < size; at += 2)
        text += static_cast<char16_t>(data[at] | data[at + 1] << 8);

    // Whole-text fade: a refusal returns the text and leaves the table alone.
    const auto tableBefore = FadeTag;
    std::size_t before = refusals;
    const std::u16string faded = FadeText(text, colours, wave, compact, blend);
    if (refusals != before) {
        Check(faded == text, "FadeText refusal changed the text");
        Check(FadeTag == tableBefore, "FadeText refusal touched FadeTag");
        Check(colours.size() < 2 || text.size() < colours.size() || text.size() > 32767,
              "FadeText refused a fadeable text");
    } else {
        Check(FadeTag.size() == text.size() + 1 && FadeTag[0].empty(), "FadeTag has wrong size");
        // A line faded in one pass leaves its table to be written when read: it and the line's
        // tags must be what the table builder makes.
        const TagTable written = FadeTag;
        BuildFadeTable(colours, static_cast<int>(text.size()), compact, blend);
        Check(written == FadeTag, "FadeTag differs from BuildFadeTable's");
        const std::string fault =
            FaderTest::CheckFadeText(text, colours, wave, compact, faded, blend, &FadeTag);
        if (!fault.empty())
            Fail("FadeText:", fault);
    }

    const int words = CountWords(text);
    Check(words == FaderTest::OracleCountWords(text), "CountWords disagrees with the scan");

    // First-letter fade against the plain scan, while the scan's 16-bit positions hold.
    std::u16string marked = text;
    before = refusals;
    const std::u16string result = FadeFirstLetters(marked, colours, compact, blend);
    const bool refused = refusals != before;
    if (!refused)
        Check(result.size() <= 32767, "first-letter result too long");
    Check(FaderTest::SurrogatePairs(result) == FaderTest::SurrogatePairs(text),
          "FadeFirstLetters split a surrogate pair");
    if (text.size() <= 600) {
        const FaderTest::OracleOutcome expected =
            FaderTest::OracleFirstLetters(text, colours, compact, blend);
        Check(result == expected.result, "FadeFirstLetters differs from the scan");
        Check(marked == expected.text, "FadeFirstLetters left another text in the variable");
        Check(refused == !expected.refusal.empty(), "FadeFirstLetters refused differently");
    }
    return 0;
}
