// The one crossing between our UTF-16 strings and the ANSI code page of the client's windows.
#pragma once

#include <string>
#include <string_view>

namespace Korvelix6o {

std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view text);

} // namespace Korvelix6o
