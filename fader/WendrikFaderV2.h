// The text fader: colour codes, the gradient table and the two builders of faded chat markup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace WendrikFaderV2 {

using Colour = std::int32_t; // packed 0x00BBGGRR, red in the low byte

std::int16_t GetRed(Colour c);
std::int16_t GetGreen(Colour c);
std::int16_t GetBlue(Colour c);
std::string& PadHex(std::string& hex); // pads in place, returns it

// How a fade mixes two colours: linearly in sRGB, as Quillon always has, or linearly in OKLab,
// whose steps look even (red to blue passes a dull purple in sRGB, not in OKLab). Positions and
// segments are the same in both.
enum class Blend { srgb, oklab };

void BuildFadeTable(const std::vector<Colour>& colours, int n, bool Compact,
                    Blend blend = Blend::srgb);

// The colour tags of the latest fade: entry 0 empty, entries 1..n one tag each. A copy keeps the
// tags it was taken from.
class TagTable {
  public:
    struct Contents; // how the tags are kept is the fader's own affair

    TagTable();
    TagTable(const TagTable& other);
    TagTable& operator=(const TagTable& other);
    ~TagTable();

    std::size_t size() const;
    std::u16string_view operator[](std::size_t k) const;
    bool operator==(const TagTable& other) const;

    Contents& contents() { return *contents_; }

  private:
    std::unique_ptr<Contents> contents_;
};

extern TagTable FadeTag; // entries 0..n after BuildFadeTable
std::u16string FadeText(const std::u16string& text, const std::vector<Colour>& colours, bool Wave,
                        bool Compact, Blend blend = Blend::srgb);
int CountWords(const std::u16string& text);
std::u16string FadeFirstLetters(std::u16string& text, const std::vector<Colour>& colours,
                                bool Compact, Blend blend = Blend::srgb);

// The UI wires a "Fade" message box here; null puts back the library's own. Returns the presenter
// it replaces, so a caller can swap one in for a while and put the old one back.
using RefusalPresenter = std::function<void(std::u16string_view message)>;
RefusalPresenter SetRefusalPresenter(RefusalPresenter presenter);

} // namespace WendrikFaderV2
