// The text fader: colour codes, the gradient table and the two builders of faded chat markup.
#pragma once

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

extern std::vector<std::u16string> FadeTag; // entries 0..n after BuildFadeTable

void BuildFadeTable(const std::vector<Colour>& colours, int n, bool Compact);
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
