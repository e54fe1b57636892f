#include "SoakTools.h"

#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <exception>

namespace {

bool ParseArgs(int argc, wchar_t** argv, SoakSettings& settings) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        wchar_t* end = nullptr;
        const unsigned long value = std::wcstoul(argv[i + 1], &end, 10);
        if (*end != L'\0')
            return false;
        if (name == L"--sends")
            settings.sends = static_cast<int>(value);
        else if (name == L"--seed")
            settings.seed = static_cast<unsigned>(value);
        else
            return false;
    }
    return argc % 2 == 1;
}

} // namespace

int SoakMain(int argc, wchar_t** argv, const char* name,
             const std::function<int(const SoakSettings&)>& run) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    SoakSettings settings;
    if (!ParseArgs(argc, argv, settings)) {
        std::printf("usage: %s [--sends N] [--seed S]\n", name);
        return 2;
    }
    try {
        return run(settings);
    } catch (const std::exception& e) {
        std::printf("%s: %s\n", name, e.what());
        return 1;
    }
}

std::size_t PrivateKb(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return (counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage) / 1024;
}

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}
