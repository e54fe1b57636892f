// What Send and the announcements post, decided from plain values: no windows involved.
#pragma once

#include "WendrikFaderV2.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// Everything one press of Send reads from the window.
struct SendInputs {
    int check1 = 0, check2 = 0, check3 = 0, check4 = 0;
    std::array<WendrikFaderV2::Colour, 4> swatches{};
    std::u16string line;
    std::u16string font;
};

// How many colours the check boxes ask for: 2, 3 or 4; nothing for a combination Send refuses
// (ticked counts at exactly 1, clear at exactly 0; colour 4 needs colour 3).
std::optional<int> ChooseColourCount(int check1, int check2);

enum class FadeStyle { Plain, FirstLetters, Bold };
FadeStyle ChooseStyle(int check3, int check4); // first-letter bold wins over all bold

// The face as it goes into "<font face=" face ">", whatever the font box holds (the user can type
// anything, a fade sets only what the fades file lets through): the text without the characters
// that may not stand in a font name (fades::MayStandInFontName: < > " ' = &, which could end the
// tag, open another, quote, start an attribute or an entity; control and format characters) and
// without half surrogate pairs; the rest exactly as typed, unquoted, blanks and all.
std::u16string FaceInTag(std::u16string_view font);

// The message one press posts: "<font face=" FaceInTag(font) ">" faded line "</font>", inside
// "<b>" .. "</b>" for the bold style. Nothing when the check boxes ask for no colours: they count
// as ticked at exactly 1 and clear at exactly 0, and colour 4 without colour 3 gives nothing.
std::optional<std::u16string> BuildSendMessage(const SendInputs& inputs);

// Announcements: the prefix, then a text faded blue, black, blue.
inline constexpr std::u16string_view kAnnouncementPrefix =
    u"<font face=symbol color=\"#c0c0c0\">f</font><font face=tahoma><b> ";
static_assert(kAnnouncementPrefix.size() == 64);

inline constexpr std::u16string_view kLoadedText = u"Quillon -=- by Korvelix";
inline constexpr std::u16string_view kUnloadedText = u"Quillon -=- [unloaded]";
std::u16string LoadedByText(std::u16string_view lowerCaseName); // "Loaded by: [" name "]"

std::u16string Announcement(std::u16string_view text); // prefix + faded text

} // namespace quillon
