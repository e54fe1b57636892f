#include "ChatLog.h"

std::string EscapeLogLine(std::string_view raw) {
    std::string out;
    out.reserve(raw.size() + 8);
    for (const char c : raw) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string ToAnsi(std::wstring_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, out.data(), bytes, nullptr, nullptr);
    return out;
}

ChatLog::ChatLog(const std::wstring& path) {
    if (path.empty())
        return;
    // Shared so a test can read, and delete, the log while we still run.
    HANDLE h = CreateFileW(path.c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE)
        file_.reset(h);
}

void ChatLog::Append(std::wstring_view line) {
    if (!file_)
        return;
    const std::string record = EscapeLogLine(ToAnsi(line)) + "\n";
    DWORD written = 0;
    WriteFile(file_.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    FlushFileBuffers(file_.get());
}
