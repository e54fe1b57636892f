#include "Transcript.h"

#include <richedit.h>

#include <string>

#include "Markup.h"
#include "Rtf.h"
#include "RtfStream.h"

void Transcript::AppendLine(std::wstring_view speaker, std::wstring_view markup, bool references) {
    if (!window_)
        return;
    const bool first = GetWindowTextLengthW(window_) == 0;
    const std::string line =
        LineToRtf(speaker, ChatMarkup::ParseMarkup(markup, {.references = references}), !first);
    SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    rtf::StreamIntoSelection(window_, line);
    SendMessageW(window_, WM_VSCROLL, SB_BOTTOM, 0);
}
