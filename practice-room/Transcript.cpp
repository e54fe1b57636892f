#include "Transcript.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "Markup.h"
#include "Rtf.h"

namespace {

struct Source {
    const std::string* rtf;
    std::size_t offset;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto* source = reinterpret_cast<Source*>(cookie);
    const std::size_t n =
        std::min(static_cast<std::size_t>(size), source->rtf->size() - source->offset);
    std::memcpy(buffer, source->rtf->data() + source->offset, n);
    source->offset += n;
    *read = static_cast<LONG>(n);
    return 0;
}

} // namespace

void Transcript::AppendLine(std::wstring_view speaker, std::wstring_view markup, bool references) {
    if (!window_)
        return;
    const bool first = GetWindowTextLengthW(window_) == 0;
    const std::string rtf =
        LineToRtf(speaker, ParseMarkup(markup, {.references = references}), !first);
    Source source{&rtf, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadRtf};
    SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    SendMessageW(window_, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
    SendMessageW(window_, WM_VSCROLL, SB_BOTTOM, 0);
}
