#include "Markup.h"

#include "Utf16.h"

#include <algorithm>
#include <cwctype>

namespace ChatMarkup {

namespace {

wchar_t Lower(wchar_t c) {
    return static_cast<wchar_t>(std::towlower(c));
}

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    c = Lower(c);
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

struct Attribute {
    std::wstring name;
    std::wstring value;
};

// Does "name=" start at pos? Used to end an unquoted face, which may hold blanks ("Comic Sans MS").
bool AttributeStartsAt(std::wstring_view s, std::size_t pos) {
    std::size_t i = pos;
    while (i < s.size() && (std::iswalnum(s[i]) || s[i] == L'-'))
        ++i;
    return i > pos && i < s.size() && s[i] == L'=';
}

// An unquoted value runs to the end of the tag or to the blank before the next "name=".
std::size_t UnquotedEnd(std::wstring_view body, std::size_t i) {
    for (; i < body.size(); ++i) {
        if (!IsSpace(body[i]))
            continue;
        std::size_t j = i;
        while (j < body.size() && IsSpace(body[j]))
            ++j;
        if (j == body.size() || AttributeStartsAt(body, j))
            return i;
    }
    return i;
}

// Attributes of a font tag; body is everything after "font". False when it is not well formed.
bool ParseAttributes(std::wstring_view body, std::vector<Attribute>& out) {
    std::size_t i = 0;
    while (true) {
        while (i < body.size() && IsSpace(body[i]))
            ++i;
        if (i == body.size())
            return true;
        const std::size_t nameStart = i;
        while (i < body.size() && body[i] != L'=' && !IsSpace(body[i]))
            ++i;
        if (i == body.size() || body[i] != L'=' || i == nameStart)
            return false;
        Attribute attribute{std::wstring(body.substr(nameStart, i - nameStart)), {}};
        ++i;
        if (i < body.size() && (body[i] == L'"' || body[i] == L'\'')) {
            const wchar_t quote = body[i++];
            const std::size_t close = body.find(quote, i);
            if (close == std::wstring_view::npos)
                return false;
            attribute.value = body.substr(i, close - i);
            i = close + 1;
        } else {
            const std::size_t valueStart = i;
            i = UnquotedEnd(body, i);
            attribute.value = body.substr(valueStart, i - valueStart);
        }
        out.push_back(std::move(attribute));
    }
}

class Reader {
  public:
    std::vector<MarkupPiece> pieces;

    void Text(std::size_t begin, std::wstring_view text) { Text(begin, begin + text.size(), text); }
    void Text(std::size_t begin, std::size_t end, std::wstring_view shown) {
        if (!shown.empty())
            pieces.push_back({MarkupPiece::Kind::Text, begin, end, Current(), std::wstring(shown)});
    }
    void Break(std::size_t begin, std::size_t end) {
        pieces.push_back({MarkupPiece::Kind::Break, begin, end, Current(), {}});
    }

    // The tag's body is inner, the whole tag [begin, end). True when it was understood and applied.
    bool Tag(std::size_t begin, std::size_t end, std::wstring_view inner) {
        const bool closing = !inner.empty() && inner[0] == L'/';
        if (closing)
            inner.remove_prefix(1);
        std::size_t nameEnd = 0;
        while (nameEnd < inner.size() && !IsSpace(inner[nameEnd]))
            ++nameEnd;
        const std::wstring_view name = inner.substr(0, nameEnd);
        const std::wstring_view rest = inner.substr(nameEnd);
        const bool bare = rest.find_first_not_of(L" \t") == std::wstring_view::npos;

        if (!closing && bare && EqualsNoCase(name, L"br")) {
            Break(begin, end);
            return true;
        }
        bool understood = false;
        if (EqualsNoCase(name, L"font"))
            understood = closing ? bare && CloseFont() : OpenFont(rest);
        else if (bare)
            understood = Switch(name, closing);
        if (understood)
            pieces.push_back({MarkupPiece::Kind::Tag, begin, end, Current(), {}});
        return understood;
    }

  private:
    // Font tags nest; bold and sub/sup are switches on the innermost one.
    std::vector<Style> stack{Style{}};

    const Style& Current() const { return stack.back(); }

    // Bold, sub and sup: switches on the innermost font.
    bool Switch(std::wstring_view name, bool closing) {
        Style& s = stack.back();
        if (EqualsNoCase(name, L"b"))
            s.bold = !closing;
        else if (EqualsNoCase(name, L"sub"))
            s.sub = !closing, s.sup = s.sup && closing;
        else if (EqualsNoCase(name, L"sup"))
            s.sup = !closing, s.sub = s.sub && closing;
        else
            return false;
        return true;
    }

    bool OpenFont(std::wstring_view rest) {
        std::vector<Attribute> attributes;
        if (!ParseAttributes(rest, attributes))
            return false;
        Style next = stack.back();
        for (const Attribute& a : attributes) {
            if (EqualsNoCase(a.name, L"face") && !a.value.empty())
                next.face = a.value;
            else if (EqualsNoCase(a.name, L"color"))
                if (auto colour = ParseColour(a.value))
                    next.colour = colour;
        }
        stack.push_back(std::move(next));
        return true;
    }

    bool CloseFont() {
        if (stack.size() > 1) {
            // Switches set inside the closed font carry on, as the reader of a line would expect.
            Style inner = stack.back();
            stack.pop_back();
            stack.back().bold = inner.bold;
            stack.back().sub = inner.sub;
            stack.back().sup = inner.sup;
        }
        return true;
    }
};

// What HTML makes of references to the C1 controls: the Windows-1252 characters at those bytes.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;

// One code point as a wide string: a surrogate pair beyond U+FFFF where wchar_t is 16 bits.
std::wstring Wide(char32_t c) {
    if (sizeof(wchar_t) >= 4 || c < 0x10000)
        return std::wstring(1, static_cast<wchar_t>(c));
    c -= 0x10000;
    return {static_cast<wchar_t>(0xD800 + (c >> 10)), static_cast<wchar_t>(0xDC00 + (c & 0x3FF))};
}

} // namespace

std::wstring ReadReference(std::wstring_view text, std::size_t& length) {
    if (text.size() < 3 || text[0] != L'&' || text[1] != L'#')
        return {};
    const bool hex = text[2] == L'x' || text[2] == L'X';
    const int base = hex ? 16 : 10;
    std::size_t i = hex ? 3 : 2;
    const std::size_t firstDigit = i;
    char32_t value = 0;
    for (int digit; i < text.size() && (digit = HexDigit(text[i])) >= 0 && digit < base; ++i)
        value = std::min<char32_t>(value * base + digit, kLastCodePoint + 1); // no overflow
    if (i == firstDigit)
        return {};
    if (i < text.size() && text[i] == L';')
        ++i;
    length = i;
    if (value == 0 || value > kLastCodePoint || utf16::IsSurrogate(value))
        value = kReplacement;
    else if (value >= 0x80 && value <= 0x9F)
        value = kWindows1252[value - 0x80];
    return Wide(value);
}

std::optional<Rgb> ParseColour(std::wstring_view value) {
    if (!value.empty() && value[0] == L'#')
        value.remove_prefix(1);
    if (value.size() != 6)
        return std::nullopt;
    int digits[6];
    for (int i = 0; i < 6; ++i)
        if ((digits[i] = HexDigit(value[i])) < 0)
            return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(digits[0] * 16 + digits[1]),
               static_cast<std::uint8_t>(digits[2] * 16 + digits[3]),
               static_cast<std::uint8_t>(digits[4] * 16 + digits[5])};
}

std::vector<MarkupPiece> ReadMarkup(std::wstring_view line, ReadOptions options) {
    Reader reader;
    // A faded line is a tag and a character, over and over: room for that at once.
    reader.pieces.reserve(line.size() / 10 + 4);
    std::size_t i = 0;
    while (i < line.size()) {
        const wchar_t c = line[i];
        if (c == L'\r' || c == L'\n') {
            const std::size_t end =
                (c == L'\r' && i + 1 < line.size() && line[i + 1] == L'\n') ? i + 2 : i + 1;
            reader.Break(i, end);
            i = end;
            continue;
        }
        if (c == L'<') {
            const std::size_t close = line.find(L'>', i + 1);
            const std::size_t nextOpen = line.find(L'<', i + 1);
            if (close != std::wstring_view::npos && close < nextOpen &&
                reader.Tag(i, close + 1, line.substr(i + 1, close - i - 1))) {
                i = close + 1;
                continue;
            }
            reader.Text(i, line.substr(i, 1));
            ++i;
            continue;
        }
        if (c == L'&' && options.references) {
            std::size_t length = 0;
            const std::wstring shown = ReadReference(line.substr(i), length);
            if (!shown.empty()) {
                reader.Text(i, i + length, shown);
                i += length;
                continue;
            }
        }
        // A '&' that starts no reference is shown as it is.
        const std::size_t stop =
            line.find_first_of(options.references ? L"<\r\n&" : L"<\r\n", c == L'&' ? i + 1 : i);
        const std::size_t end = stop == std::wstring_view::npos ? line.size() : stop;
        reader.Text(i, line.substr(i, end - i));
        i = end;
    }
    return std::move(reader.pieces);
}

std::vector<StyledRun> ParseMarkup(std::wstring_view line, ReadOptions options) {
    std::vector<StyledRun> runs;
    for (MarkupPiece& piece : ReadMarkup(line, options)) {
        if (piece.kind == MarkupPiece::Kind::Break)
            runs.push_back(StyledRun{{}, std::move(piece.style), true});
        else if (piece.kind != MarkupPiece::Kind::Text)
            continue;
        else if (!runs.empty() && !runs.back().lineBreak && runs.back().style == piece.style)
            runs.back().text += piece.text;
        else
            runs.push_back(StyledRun{std::move(piece.text), std::move(piece.style), false});
    }
    return runs;
}

} // namespace ChatMarkup
