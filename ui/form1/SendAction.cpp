#include "SendAction.h"

#include "FadeFont.h"
#include "Utf8.h"

namespace quillon {

using WendrikFaderV2::Colour;

std::optional<int> ChooseColourCount(int check1, int check2) {
    if (check1 == 1 && check2 == 1)
        return 4;
    if (check1 == 1 && check2 == 0)
        return 3;
    if (check1 == 0 && check2 == 0)
        return 2;
    return std::nullopt;
}

FadeStyle ChooseStyle(int check3, int check4) {
    if (check3 == 1)
        return FadeStyle::FirstLetters;
    if (check4 == 1)
        return FadeStyle::Bold;
    return FadeStyle::Plain;
}

std::u16string FaceInTag(std::u16string_view font) {
    std::u16string face;
    face.reserve(font.size());
    for (std::size_t i = 0; i < font.size();) {
        const fades::CodePoint c = fades::CodePointAt(font, i);
        if (c.whole && fades::MayStandInFontName(c.value))
            face.append(font.substr(i, c.units));
        i += c.units;
    }
    return face;
}

namespace {

std::u16string ComposeMessage(FadeStyle style, std::u16string_view font,
                              std::u16string_view faded) {
    std::u16string message;
    if (style == FadeStyle::Bold)
        message += u"<b>";
    message.append(u"<font face=")
        .append(FaceInTag(font))
        .append(u">")
        .append(faded)
        .append(u"</font>");
    if (style == FadeStyle::Bold)
        message += u"</b>";
    return message;
}

} // namespace

std::optional<std::u16string> BuildSendMessage(const SendInputs& in) {
    const auto count = ChooseColourCount(in.check1, in.check2);
    if (!count)
        return std::nullopt;
    const FadeStyle style = ChooseStyle(in.check3, in.check4);
    const std::vector<Colour> colours(in.swatches.begin(), in.swatches.begin() + *count);
    std::u16string faded;
    if (style == FadeStyle::FirstLetters) {
        std::u16string line = in.line; // trimmed and marked in place
        faded = WendrikFaderV2::FadeFirstLetters(line, colours, true);
    } else {
        faded = WendrikFaderV2::FadeText(in.line, colours, false, true);
    }
    return ComposeMessage(style, in.font, faded);
}

std::u16string LoadedByText(std::u16string_view lowerCaseName) {
    return std::u16string(u"Loaded by: [").append(lowerCaseName).append(u"]");
}

std::u16string Announcement(std::u16string_view text) {
    static const std::vector<Colour> blueBlackBlue{0xFF0000, 0x000000, 0xFF0000};
    return std::u16string(kAnnouncementPrefix)
        .append(WendrikFaderV2::FadeText(std::u16string(text), blueBlackBlue, false, true));
}

} // namespace quillon
