// Expected chat lines, built the way a reader of the markup would check them.
#pragma once

#include "WendrikFaderV2.h"

#include <windows.h>

#include <string>
#include <vector>

// The fixed start of every announcement line: a grey Symbol "f", then Tahoma bold.
inline const std::string kAnnouncementPrefix =
    "<font face=symbol color=\"#c0c0c0\">f</font><font face=tahoma><b> ";

inline std::string Ansi(const std::u16string& text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.c_str());
    const int n = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

// An announcement as the program posts it: faded blue, black, blue behind the prefix.
inline std::string Announcement(const std::u16string& text) {
    const std::vector<WendrikFaderV2::Colour> blueBlackBlue{0xFF0000, 0, 0xFF0000};
    return kAnnouncementPrefix + Ansi(WendrikFaderV2::FadeText(text, blueBlackBlue, false, true));
}
