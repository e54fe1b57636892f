// What one press of Send reads from the window, and the text line's preview of it.
#include "Form1.h"

#include "ControlIds.h"
#include "preview/PreviewLook.h"
#include "window/Text.h"

namespace quillon {

std::u16string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
    return ToU16(text);
}

SendInputs Form1::ReadSendInputs() const {
    SendInputs in;
    in.check1 = CheckValue(IDC_CHECK1);
    in.check2 = CheckValue(IDC_CHECK2);
    in.check3 = CheckValue(IDC_CHECK3);
    in.check4 = CheckValue(IDC_CHECK4);
    for (int column = 1; column <= 4; ++column)
        in.swatches[column - 1] = SwatchColour(column);
    in.line = WindowText(Control(IDC_TEXT1));  // the characters typed, without their look
    in.font = WindowText(Control(IDC_COMBO1)); // exactly as typed
    return in;
}

// font: the face picked in the list, before the font box shows it.
void Form1::RefreshPreview(std::optional<std::u16string> font) {
    SendInputs in = ReadSendInputs();
    if (font)
        in.font = std::move(*font);
    preview_.Show(in.line, LookOfLine(in, ToU16(text1Face_)));
}

} // namespace quillon
