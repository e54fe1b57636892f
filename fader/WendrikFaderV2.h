// The text fader: colour codes, the gradient table and the two builders of faded chat markup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace WendrikFaderV2 {

using Colour = std::int32_t; // packed 0x00BBGGRR, red in the low byte

std::int16_t GetRed(Colour c);
std::int16_t GetGreen(Colour c);
std::int16_t GetBlue(Colour c);
std::string& PadHex(std::string& hex); // pads in place, returns it

void BuildFadeTable(const std::vector<Colour>& colours, int n, bool Compact);

// The colour tags of one fade, entry 0 empty and entries 1..n one tag each. All tags of a table
// have one width, so they sit in one buffer that the next fade of the same mode and length
// overwrites without allocating. Each tag is followed by one spare character (kept NUL).
// A fade that writes its tags straight into its result leaves the table to be written when it is
// first read: the result is then made in one pass, and the table reads the same either way.
class TagTable {
  public:
    std::size_t size() const { return count_ + 1; }
    std::u16string_view operator[](std::size_t k) const {
        WriteIfDeferred();
        return k == 0 ? std::u16string_view()
                      : std::u16string_view(tags_.data() + (k - 1) * (width_ + 1), width_);
    }
    // Tags 1..n with their gaps, as one run.
    std::u16string_view Slots() const {
        WriteIfDeferred();
        return tags_;
    }
    bool operator==(const TagTable& other) const {
        WriteIfDeferred();
        other.WriteIfDeferred();
        return tags_ == other.tags_ && width_ == other.width_ && count_ == other.count_;
    }

  private:
    friend void BuildFadeTable(const std::vector<Colour>& colours, int n, bool Compact);
    friend void DeferFadeTable(const std::vector<Colour>& colours, int n, bool Compact);

    void Write(const std::vector<Colour>& colours, std::size_t positions, bool Compact);
    void WriteIfDeferred() const;

    mutable std::u16string tags_;
    std::size_t width_ = 0; // zero while empty, so equal entries mean equal tables
    std::size_t count_ = 0;
    // The recipe of a table not written yet; its buffer keeps its capacity between fades.
    mutable std::vector<Colour> deferredColours_;
    mutable bool deferred_ = false;
};

extern TagTable FadeTag; // entries 0..n after BuildFadeTable
std::u16string FadeText(const std::u16string& text, const std::vector<Colour>& colours, bool Wave,
                        bool Compact);
int CountWords(const std::u16string& text);
std::u16string FadeFirstLetters(std::u16string& text, const std::vector<Colour>& colours,
                                bool Compact);

// The UI wires a "Fade" message box here; null puts back the library's own. Returns the presenter
// it replaces, so a caller can swap one in for a while and put the old one back.
using RefusalPresenter = std::function<void(std::u16string_view message)>;
RefusalPresenter SetRefusalPresenter(RefusalPresenter presenter);

} // namespace WendrikFaderV2
