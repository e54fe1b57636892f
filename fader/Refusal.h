// Refusals: the fader returns its input and tells the user why through the presenter.
#pragma once

#include <cstddef>
#include <string_view>

namespace WendrikFaderV2 {

inline constexpr std::u16string_view kTooFewColours = u"You need at least 2 colors to fade.";
inline constexpr std::u16string_view kTooShort = u"Please input more text!";
inline constexpr std::u16string_view kTooFewWords = u"Error";
inline constexpr std::u16string_view kTooLong = u"The text is too long to fade.";

// Positions are 16-bit in the chat markup model; longer texts and results are refused.
inline constexpr std::size_t kMaxFadeLength = 32767;

void Refuse(std::u16string_view message);

} // namespace WendrikFaderV2
