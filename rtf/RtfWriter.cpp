#include "RtfWriter.h"

#include <algorithm>

namespace rtf {

namespace {

template <class Char>
void AppendTextOf(std::string& out, std::basic_string_view<Char> text, Controls controls) {
    for (const Char c : text) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            out += '\\';
            out += static_cast<char>(c);
            break;
        case '\t':
            out += "\\tab ";
            break;
        default:
            if (c >= 0x20 && c < 0x7F)
                out += static_cast<char>(c);
            else if (c >= 0x20 || c == 0 || controls == Controls::Written)
                out += "\\u" + std::to_string(static_cast<short>(c)) + "?";
        }
    }
}

template <class String>
void AppendFontTableOf(std::string& out, const std::vector<String>& faces, Controls controls) {
    out += "{\\fonttbl";
    for (std::size_t i = 0; i < faces.size(); ++i) {
        String name = faces[i];
        std::erase_if(name, [](auto c) { return c == ';' || c == '{' || c == '}'; });
        out += "{\\f" + std::to_string(i) + "\\fnil ";
        AppendText(out, name, controls);
        out += ";}";
    }
    out += "}";
}

} // namespace

void AppendText(std::string& out, std::u16string_view text, Controls controls) {
    AppendTextOf(out, text, controls);
}

void AppendText(std::string& out, std::wstring_view text, Controls controls) {
    AppendTextOf(out, text, controls);
}

void AppendFontTable(std::string& out, const std::vector<std::u16string>& faces,
                     Controls controls) {
    AppendFontTableOf(out, faces, controls);
}

void AppendFontTable(std::string& out, const std::vector<std::wstring>& faces, Controls controls) {
    AppendFontTableOf(out, faces, controls);
}

void AppendColour(std::string& out, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    out += "\\red" + std::to_string(red) + "\\green" + std::to_string(green) + "\\blue" +
           std::to_string(blue) + ";";
}

} // namespace rtf
