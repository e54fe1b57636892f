// Rich text as the preview and the practice room's transcript write it: the text escaped, and the
// tables of faces and colours its runs point into.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rtf {

// What becomes of the control characters other than tab and NUL.
enum class Controls { Dropped, Written };

// "\", "{" and "}" escaped, tab as \tab, printable ASCII as it is; anything else as \uN, a signed
// 16-bit number, then the '?' a reader without Unicode shows.
void AppendText(std::string& out, std::u16string_view text, Controls controls);
void AppendText(std::string& out, std::wstring_view text, Controls controls);

// "{\fonttbl{\f0\fnil Face;}...}": font i is faces[i], less the characters that would end its
// entry.
void AppendFontTable(std::string& out, const std::vector<std::u16string>& faces, Controls controls);
void AppendFontTable(std::string& out, const std::vector<std::wstring>& faces, Controls controls);

// One entry of a colour table: "\redR\greenG\blueB;".
void AppendColour(std::string& out, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

} // namespace rtf
