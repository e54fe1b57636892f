#include "Rtf.h"

#include <algorithm>

namespace {

constexpr int kHalfPoints = 20; // 10 pt

void AppendText(std::string& out, std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c == L'\\' || c == L'{' || c == L'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == L'\t') {
            out += "\\tab ";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c >= 0x20 || c == 0) {
            // \uN takes a signed 16-bit number; '?' is what a reader without Unicode shows.
            out += "\\u" + std::to_string(static_cast<short>(c)) + "?";
        }
    }
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

    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (std::size_t i = 0; i < faces.size(); ++i) {
        std::wstring name = faces[i];
        std::erase_if(name, [](wchar_t c) { return c == L';' || c == L'{' || c == L'}'; });
        rtf += "{\\f" + std::to_string(i) + "\\fnil ";
        AppendText(rtf, name);
        rtf += ";}";
    }
    rtf += "}{\\colortbl ;";
    for (const Rgb& c : colours)
        rtf += "\\red" + std::to_string(c.r) + "\\green" + std::to_string(c.g) + "\\blue" +
               std::to_string(c.b) + ";";
    rtf += "}" + body + "}";
    return rtf;
}
