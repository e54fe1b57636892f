#include "Options.h"

#include <cerrno>
#include <cwchar>

namespace {

bool ParseCount(const std::wstring& text, int& out) {
    if (text.empty())
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    const long value = std::wcstol(text.c_str(), &end, 10);
    if (errno != 0 || *end != L'\0' || value < 0 || value > 100000)
        return false;
    out = static_cast<int>(value);
    return true;
}

} // namespace

Options ParseOptions(const std::vector<std::wstring>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == L"--no-welcome") {
            options.welcome = false;
        } else if (arg == L"--never-empty") {
            options.neverEmpty = true;
        } else if (arg == L"--close-on-line") {
            options.closeOnLine = true;
        } else if (!hasValue) {
            continue;
        } else if (arg == L"--name") {
            options.name = args[++i];
        } else if (arg == L"--room-name") {
            options.roomName = args[++i];
        } else if (arg == L"--log") {
            options.logPath = args[++i];
        } else if (arg == L"--rooms") {
            ParseCount(args[++i], options.rooms);
        } else if (arg == L"--empty-delay") {
            ParseCount(args[++i], options.emptyDelayMs);
        }
    }
    // A room count beyond what anyone can look at only exhausts window handles.
    if (options.rooms > 20)
        options.rooms = 20;
    return options;
}

std::wstring RoomCaption(const std::wstring& roomName, int n) {
    return n <= 1 ? roomName : roomName + L" " + std::to_wstring(n);
}
