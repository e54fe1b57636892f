// Form1's text line as a live preview of the line Send would post.
#include "Form1.h"

#include "ControlIds.h"
#include "preview/PreviewLook.h"
#include "window/Text.h"

namespace quillon {

void Form1::RefreshPreview(std::optional<std::u16string> font) {
    SendInputs in = ReadSendInputs();
    if (font)
        in.font = std::move(*font);
    preview_.Show(in.line, LookOfLine(in, ToU16(text1Face_)));
}

} // namespace quillon
