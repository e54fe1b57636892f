#include "PracticeRoom.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

#include "Markup.h"

namespace {

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kCloseTimeoutMs = 5000;
constexpr DWORD kPollMs = 20;

std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    for (wchar_t c : arg) {
        if (c == L'"')
            quoted += L'\\';
        quoted += c;
    }
    return quoted + L"\"";
}

std::wstring FreshLogPath() {
    wchar_t dir[MAX_PATH + 1] = {};
    wchar_t path[MAX_PATH + 1] = {};
    if (!GetTempPathW(MAX_PATH, dir) || !GetTempFileNameW(dir, L"qpr", 0, path))
        throw std::runtime_error("practice room: no temporary log file");
    return path;
}

// Every room's rich edits, front room first: its transcript and its chat input.
std::vector<std::pair<HWND, HWND>> RoomControls(HWND frame) {
    std::vector<std::pair<HWND, HWND>> rooms;
    const HWND area = frame ? FindWindowExW(frame, nullptr, L"MDIClient", nullptr) : nullptr;
    for (HWND inner = FindWindowExW(area, nullptr, L"AOL Child", nullptr); area && inner;
         inner = FindWindowExW(area, inner, L"AOL Child", nullptr)) {
        const HWND first = FindWindowExW(inner, nullptr, L"RICHCNTL", nullptr);
        const HWND second = first ? FindWindowExW(inner, first, L"RICHCNTL", nullptr) : nullptr;
        if (second)
            rooms.emplace_back(first, second);
    }
    return rooms;
}

bool HasChatRoom(HWND frame) {
    return !RoomControls(frame).empty();
}

HWND FrameOf(DWORD processId) {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"AOL Frame25", nullptr); w;
         w = FindWindowExW(nullptr, w, L"AOL Frame25", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId)
            return w;
    }
    return nullptr;
}

} // namespace

std::wstring BesideThisExe(const std::wstring& fileName) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD n = 0;
    while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size())
        path.resize(path.size() * 2);
    path.resize(n);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + fileName;
}

bool ReadText(HWND window, std::wstring& text, UINT timeoutMs) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &length))
        return false;
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG, timeoutMs,
                             &copied))
        return false;
    buffer.resize(std::min<std::size_t>(copied, length));
    text = std::move(buffer);
    return true;
}

std::wstring ShownText(const std::string& ansiLine) {
    const int n = MultiByteToWideChar(CP_ACP, 0, ansiLine.data(), static_cast<int>(ansiLine.size()),
                                      nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansiLine.data(), static_cast<int>(ansiLine.size()), wide.data(),
                        n);
    std::wstring shown;
    for (const ChatMarkup::StyledRun& run : ChatMarkup::ParseMarkup(wide, {.references = true}))
        shown += run.lineBreak ? L"\n" : run.text;
    return shown;
}

std::string UnescapeLogLine(const std::string& line) {
    std::string raw;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\' || i + 1 == line.size()) {
            raw += line[i];
            continue;
        }
        switch (line[++i]) {
        case 'r':
            raw += '\r';
            break;
        case 'n':
            raw += '\n';
            break;
        default:
            raw += line[i];
            break;
        }
    }
    return raw;
}

PracticeRoom::PracticeRoom(std::vector<std::wstring> args) : logPath_(FreshLogPath()) {
    const auto rooms = std::find(args.begin(), args.end(), L"--rooms");
    const bool wantsRoom = rooms == args.end() || rooms + 1 == args.end() || rooms[1] != L"0";
    std::wstring commandLine =
        Quoted(BesideThisExe(L"practice-room.exe")) + L" --log " + Quoted(logPath_);
    for (const auto& arg : args)
        commandLine += L" " + Quoted(arg);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Under Wine a start can fail once while the prefix's server is still busy with the previous
    // program's end; a moment later it works.
    bool started = false;
    DWORD error = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0)
            Sleep(500);
        started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &info) != FALSE;
        error = started ? 0 : GetLastError();
    }
    if (!started) {
        DeleteFileW(logPath_.c_str());
        throw std::runtime_error("practice room: could not start practice-room.exe (error " +
                                 std::to_string(error) + ")");
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;

    for (DWORD waited = 0; waited < kStartTimeoutMs; waited += kPollMs) {
        frame_ = FrameOf(processId_);
        // The frame is shown only once all of its inner windows exist.
        if (frame_ && IsWindowVisible(frame_) && (!wantsRoom || HasChatRoom(frame_)))
            return;
        if (WaitForSingleObject(process_, kPollMs) == WAIT_OBJECT_0)
            break;
    }
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kCloseTimeoutMs);
    CloseHandle(process_);
    DeleteFileW(logPath_.c_str());
    throw std::runtime_error("practice room: did not come up");
}

PracticeRoom::~PracticeRoom() {
    if (frame_ && IsWindow(frame_))
        PostMessageW(frame_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_, kCloseTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kCloseTimeoutMs);
    }
    CloseHandle(process_);
    DeleteFileW(logPath_.c_str());
}

HWND PracticeRoom::Input() const {
    const auto rooms = RoomControls(frame_);
    return rooms.empty() ? nullptr : rooms.front().second;
}

std::vector<HWND> PracticeRoom::Inputs() const {
    std::vector<HWND> inputs;
    for (const auto& [transcript, input] : RoomControls(frame_))
        inputs.push_back(input);
    return inputs;
}

HWND PracticeRoom::Transcript() const {
    const auto rooms = RoomControls(frame_);
    return rooms.empty() ? nullptr : rooms.front().first;
}

bool PracticeRoom::WaitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

// Only complete lines count: the room may be in the middle of writing the last one.
std::vector<std::string> PracticeRoom::Lines() const {
    std::ifstream file(logPath_.c_str(), std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(UnescapeLogLine(line));
    }
    return lines;
}

bool PracticeRoom::WaitForLines(std::size_t n, DWORD timeoutMs) const {
    for (DWORD waited = 0;; waited += kPollMs) {
        if (Lines().size() >= n)
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}
