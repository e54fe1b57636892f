#include "UnixTools.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// One argument in the Windows quoting that Wine turns back into the Linux program's argv.
std::wstring Quoted(const std::wstring& s) {
    std::wstring out = L"\"";
    for (wchar_t c : s)
        out += c == L'"' ? std::wstring(L"\\\"") : std::wstring(1, c);
    return out + L"\"";
}

} // namespace

int RunUnix(const std::wstring& commandLine, unsigned timeoutMs) {
    // Wine starts a Linux program through CreateProcess when given its Linux path, but the handle
    // it returns cannot be waited on: the shell leaves the exit code in a file instead.
    static unsigned counter = 0;
    const std::wstring name = L"quillon-unix-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter) + L".rc";
    const std::wstring linuxPath = L"/tmp/" + name, windowsPath = L"Z:\\tmp\\" + name;
    DeleteFileW(windowsPath.c_str());
    std::wstring line = L"/bin/sh -c " + Quoted(commandLine + L"; echo $? > " + linuxPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return -1;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    int code = -1;
    for (unsigned waited = 0; waited < timeoutMs; waited += 20) {
        std::ifstream result{std::filesystem::path(windowsPath)};
        if (result >> code)
            break;
        Sleep(20);
    }
    DeleteFileW(windowsPath.c_str());
    return code;
}

bool Xdotool(const std::wstring& arguments) {
    return RunUnix(L"/usr/bin/xdotool " + arguments) == 0;
}
