#include "AnsiText.h"

#include "Utf16.h"

#include <windows.h>

#include <climits>

namespace Korvelix6o {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

const wchar_t* Wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

using utf16::IsHighSurrogate;
using utf16::IsLowSurrogate;

// Appends the piece if every character of it has its own place in the code page; leaves the
// output alone otherwise. Code pages are stateless, so pieces convert on their own.
bool AppendIfFits(std::string& out, std::u16string_view piece, UINT codePage) {
    // UTF-8 (which Windows can have as its ANSI code page) holds everything, and refuses the
    // flags below.
    const bool utf8 = codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8);
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* askUsedDefault = utf8 ? nullptr : &usedDefault;
    const int length = static_cast<int>(piece.size());
    const int size = WideCharToMultiByte(codePage, flags, Wide(piece), length, nullptr, 0, nullptr,
                                         askUsedDefault);
    if (size <= 0 || usedDefault)
        return false;
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(size));
    WideCharToMultiByte(codePage, flags, Wide(piece), length, out.data() + at, size, nullptr,
                        nullptr);
    return true;
}

void AppendReference(std::string& out, char32_t codePoint) {
    out.append("&#").append(std::to_string(static_cast<unsigned long>(codePoint))).append(";");
}

// A run without surrogates: whole if it fits (the usual case), else character by character.
void AppendRun(std::string& out, std::u16string_view run, UINT codePage) {
    if (run.empty() || AppendIfFits(out, run, codePage))
        return;
    for (std::size_t i = 0; i < run.size(); ++i)
        if (!AppendIfFits(out, run.substr(i, 1), codePage))
            AppendReference(out, run[i]);
}

// Markup that colours 16-bit units puts tags between the halves of a character beyond the BMP
// (our fader keeps pairs whole; a caller's markup may not). The second half is moved back next to
// the first (the tags follow it), so the character goes as one, in the first half's colour.
std::u16string RejoinSplitPairs(std::u16string_view text) {
    std::u16string joined(text);
    for (std::size_t i = 0; i + 1 < joined.size(); ++i) {
        if (!IsHighSurrogate(joined[i]) || IsLowSurrogate(joined[i + 1]))
            continue;
        std::size_t j = i + 1;
        while (j < joined.size() && joined[j] == u'<') {
            const std::size_t close = joined.find(u'>', j);
            if (close == std::u16string::npos)
                break;
            j = close + 1;
        }
        if (j == i + 1 || j >= joined.size() || !IsLowSurrogate(joined[j]))
            continue;
        const char16_t low = joined[j];
        joined.erase(j, 1);
        joined.insert(i + 1, 1, low);
    }
    return joined;
}

} // namespace

// A failed conversion gives the empty string: automation fails silently.
std::string ToAnsi(std::u16string_view text) {
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, Wide(text), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, Wide(text), length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

std::u16string FromAnsi(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (size <= 0)
        return {};
    std::u16string wide(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(wide.data()),
                        size);
    return wide;
}

std::string ToChatAnsi(std::u16string_view markup, unsigned codePage) {
    if (markup.size() > INT_MAX)
        return {};
    const std::u16string joined = RejoinSplitPairs(markup);
    const std::u16string_view text = joined;
    std::string out;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsHighSurrogate(text[i]) && !IsLowSurrogate(text[i]))
            continue;
        AppendRun(out, text.substr(runStart, i - runStart), codePage);
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const std::u16string_view pair = text.substr(i, 2);
            const char32_t codePoint = 0x10000 + ((static_cast<char32_t>(text[i]) - 0xD800) << 10) +
                                       (text[i + 1] - 0xDC00);
            if (!AppendIfFits(out, pair, codePage))
                AppendReference(out, codePoint);
            ++i;
        } else {
            AppendReference(out, kReplacement);
        }
        runStart = i + 1;
    }
    AppendRun(out, text.substr(runStart), codePage);
    return out;
}

} // namespace Korvelix6o
