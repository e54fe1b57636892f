#include "LookRtf.h"

#include <algorithm>
#include <unordered_map>

namespace quillon {

namespace {

void AppendEscaped(std::string& out, std::wstring_view text) {
    for (const wchar_t c : text) {
        switch (c) {
        case L'\\':
        case L'{':
        case L'}':
            out += '\\';
            out += static_cast<char>(c);
            break;
        case L'\t':
            out += "\\tab ";
            break;
        default:
            if (c >= 0x20 && c < 0x7F)
                out += static_cast<char>(c);
            else // a signed 16-bit number, then the one character a reader without Unicode shows
                out += "\\u" + std::to_string(static_cast<short>(c)) + "?";
        }
    }
}

// The first run sets every effect a pasted or dropped text could bring, so none of it stays; after
// that a run names only what changes, as each control word costs the reader a new style.
void AppendFormat(std::string& out, const CharLook* previous, const CharLook& look,
                  std::size_t colourIndex) {
    if (!previous)
        out += "\\i0\\ul0\\strike0\\v0\\highlight0";
    if (!previous || previous->face != look.face)
        out += "\\f" + std::to_string(look.face);
    if (!previous || previous->colour != look.colour)
        out += "\\cf" + std::to_string(colourIndex);
    if (!previous || previous->bold != look.bold)
        out += look.bold ? "\\b" : "\\b0";
    if (!previous || previous->sub != look.sub || previous->sup != look.sup)
        out += look.sub ? "\\sub" : look.sup ? "\\super" : "\\nosupersub";
    out += ' ';
}

} // namespace

bool RtfCarriesExactly(std::wstring_view text) {
    // U+FFFC stands for an embedded object in the control's text.
    return std::all_of(text.begin(), text.end(),
                       [](wchar_t c) { return (c >= 0x20 || c == L'\t') && c != 0xFFFC; });
}

std::string LookToRtf(std::wstring_view text, std::span<const CharLook> chars,
                      const std::vector<std::wstring>& faces) {
    std::string rtf = "{\\rtf1\\ansi\\deff0\\uc1{\\fonttbl";
    for (std::size_t i = 0; i < faces.size(); ++i) {
        std::wstring name = faces[i];
        std::erase_if(name, [](wchar_t c) { return c == L';' || c == L'{' || c == L'}'; });
        rtf += "{\\f" + std::to_string(i) + "\\fnil ";
        AppendEscaped(rtf, name);
        rtf += ";}";
    }

    std::string body;
    std::string colours = "{\\colortbl ;";
    std::unordered_map<std::uint32_t, std::size_t> colourIndex;
    const std::size_t n = std::min(text.size(), chars.size());
    const CharLook* previous = nullptr;
    for (std::size_t start = 0, end = 0; start < n; start = end) {
        const CharLook& run = chars[start];
        end = start + 1;
        while (end < n && chars[end] == run)
            ++end;
        auto [at, added] = colourIndex.try_emplace(run.colour, colourIndex.size() + 1);
        if (added)
            colours += "\\red" + std::to_string(run.colour & 0xFF) + "\\green" +
                       std::to_string((run.colour >> 8) & 0xFF) + "\\blue" +
                       std::to_string((run.colour >> 16) & 0xFF) + ";";
        AppendFormat(body, previous, run, at->second);
        AppendEscaped(body, text.substr(start, end - start));
        previous = &run;
    }
    return rtf + "}" + colours + "}" + body + "}";
}

} // namespace quillon
