// The one crossing between our UTF-16 strings and the ANSI code page of the client's windows.
#pragma once

#include <string>
#include <string_view>

namespace Korvelix6o {

std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view text);

// For a chat line: characters the code page lacks go as HTML numeric character references
// ("&#937;", one per code point), which the client's markup shows as the character itself,
// instead of look-alikes or '?'. A character whose halves markup tags split is put back
// together first; a surrogate still unpaired is no character: it goes as U+FFFD.
// codePage: the ANSI code page (CP_ACP) but for tests of other ones.
std::string ToChatAnsi(std::u16string_view markup, unsigned codePage = 0);

} // namespace Korvelix6o
