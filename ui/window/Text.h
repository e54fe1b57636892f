// The fader and the automation speak UTF-16 as std::u16string; Win32 speaks wchar_t.
#pragma once

#include "Utf16.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon {

// Code unit for code unit: on Windows both are UTF-16. Where wchar_t is wider (the native tests)
// every unit still fits, and text that came from UTF-16 comes back unchanged.
static_assert(sizeof(wchar_t) >= sizeof(char16_t));

inline std::wstring ToWide(std::u16string_view text) {
    return {text.begin(), text.end()};
}
inline std::u16string ToU16(std::wstring_view text) {
    return {text.begin(), text.end()};
}

// Text in quotes for a sentence the user reads; a long one is cut, between whole characters.
inline std::wstring Quoted(std::u16string_view text, std::size_t most = 40) {
    std::size_t keep = text.size() > most ? most : text.size();
    if (utf16::SplitsPair(text, keep))
        --keep;
    std::wstring quoted = L"\u201C" + ToWide(text.substr(0, keep));
    return quoted + (keep < text.size() ? L"\u2026\u201D" : L"\u201D");
}

} // namespace quillon
