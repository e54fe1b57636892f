#include "LookRtf.h"

#include "Markup.h"
#include "RtfWriter.h"

#include <algorithm>
#include <unordered_map>

namespace quillon {

namespace {

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

bool RtfCarriesExactly(std::u16string_view text) {
    // U+FFFC stands for an embedded object in the control's text.
    return std::all_of(text.begin(), text.end(),
                       [](char16_t c) { return (c >= 0x20 || c == u'\t') && c != 0xFFFC; });
}

std::string LookToRtf(std::u16string_view text, std::span<const CharLook> chars,
                      const std::vector<std::u16string>& faces) {
    std::string document = "{\\rtf1\\ansi\\deff0\\uc1";
    rtf::AppendFontTable(document, faces, rtf::Controls::Written);

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
        if (added) {
            const auto rgb = ChatMarkup::Rgb::Unpacked(run.colour);
            rtf::AppendColour(colours, rgb.r, rgb.g, rgb.b);
        }
        AppendFormat(body, previous, run, at->second);
        rtf::AppendText(body, text.substr(start, end - start), rtf::Controls::Written);
        previous = &run;
    }
    return document + colours + "}" + body + "}";
}

} // namespace quillon
