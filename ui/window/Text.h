// The fader and the automation speak UTF-16 as std::u16string; Win32 speaks wchar_t.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring ToWide(std::u16string_view text) {
    return {text.begin(), text.end()};
}
inline std::u16string ToU16(std::wstring_view text) {
    return {text.begin(), text.end()};
}

} // namespace quillon
