#include "Rtf.h"

#include "RtfWriter.h"

#include <algorithm>

using ChatMarkup::Rgb;
using ChatMarkup::Style;
using ChatMarkup::StyledRun;

namespace {

constexpr int kHalfPoints = 20; // 10 pt

// Control characters have no place in the transcript.
void AppendText(std::string& out, std::wstring_view text) {
    rtf::AppendText(out, text, rtf::Controls::Dropped);
}

template <class T> std::size_t IndexOf(std::vector<T>& table, const T& value) {
    const auto found = std::find(table.begin(), table.end(), value);
    if (found != table.end())
        return static_cast<std::size_t>(found - table.begin());
    table.push_back(value);
    return table.size() - 1;
}

} // namespace

std::string LineToRtf(std::wstring_view speaker, const std::vector<StyledRun>& runs,
                      bool newParagraph) {
    std::vector<std::wstring> faces{kRoomFace};
    std::vector<Rgb> colours{kTextColour, kSpeakerColour};
    std::string body;
    if (newParagraph)
        body += "\\par ";
    body += "\\f0\\fs" + std::to_string(kHalfPoints) + "\\cf2\\b\\nosupersub ";
    AppendText(body, speaker);
    body += ": ";
    for (const StyledRun& run : runs) {
        if (run.lineBreak) {
            body += "\\par ";
            continue;
        }
        const Style& s = run.style;
        const std::size_t face = s.face.empty() ? 0 : IndexOf(faces, s.face);
        const std::size_t colour = IndexOf(colours, s.colour.value_or(kTextColour));
        // Every attribute spelled out: a reader may not undo a subscript's shrinking on \plain.
        body += "\\f" + std::to_string(face) + "\\fs" + std::to_string(kHalfPoints) + "\\cf" +
                std::to_string(colour + 1) + (s.bold ? "\\b" : "\\b0") +
                (s.sub   ? "\\sub"
                 : s.sup ? "\\super"
                         : "\\nosupersub");
        body += ' ';
        AppendText(body, run.text);
    }

    std::string document = "{\\rtf1\\ansi\\deff0";
    rtf::AppendFontTable(document, faces, rtf::Controls::Dropped);
    document += "{\\colortbl ;";
    for (const Rgb& c : colours)
        rtf::AppendColour(document, c.r, c.g, c.b);
    document += "}" + body + "}";
    return document;
}
