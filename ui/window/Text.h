// The fader and the automation speak UTF-16 as std::u16string; Win32 speaks wchar_t.
#pragma once

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

} // namespace quillon
