#include "RtfStream.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

namespace rtf {

namespace {

struct Source {
    std::string_view rtf;
    std::size_t offset;
};

DWORD CALLBACK Read(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto* source = reinterpret_cast<Source*>(cookie);
    const std::size_t n =
        std::min(static_cast<std::size_t>(size), source->rtf.size() - source->offset);
    std::memcpy(buffer, source->rtf.data() + source->offset, n);
    source->offset += n;
    *read = static_cast<LONG>(n);
    return 0;
}

} // namespace

void StreamIntoSelection(HWND richEdit, std::string_view rtf) {
    Source source{rtf, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, Read};
    SendMessageW(richEdit, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
}

} // namespace rtf
