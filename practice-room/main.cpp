// A stand-in chat client: the window tree and chat input a client automation searches and drives.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "ChatLog.h"
#include "Classes.h"
#include "Frame.h"
#include "MdiChild.h"
#include "Options.h"

namespace {

std::vector<std::wstring> CommandLineArgs() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < count; ++i)
        args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

// Aware of the system's display scale, so the room lays itself out at it rather than being
// enlarged as a picture. Looked up at run time: older systems lack the first call.
void BeDpiAware() {
    using ContextFn = BOOL WINAPI(DPI_AWARENESS_CONTEXT);
    auto* setContext = reinterpret_cast<ContextFn*>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (!setContext || !setContext(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE))
        SetProcessDPIAware();
}

// To the console the room was started from when there is one (a script reads it there), else
// in a message box.
void Tell(const std::wstring& text, bool isError) {
    HANDLE out = GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if ((!out || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
        out = GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    std::wstring crlf;
    for (const wchar_t c : text)
        crlf += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    const std::string bytes = ToAnsi(crlf);
    DWORD written = 0;
    if (out && out != INVALID_HANDLE_VALUE &&
        WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return;
    MessageBoxW(nullptr, text.c_str(), L"Practice room",
                isError ? MB_ICONERROR : MB_ICONINFORMATION);
}

constexpr int kBadCommandLine = 2;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
    const ParsedOptions parsed = ParseOptions(CommandLineArgs());
    if (!parsed.error.empty()) {
        Tell(L"practice-room: " + parsed.error + L"\n\n" + kUsage, true);
        return kBadCommandLine;
    }
    const Options& options = parsed.options;
    if (options.help) {
        Tell(kUsage, false);
        return 0;
    }

    BeDpiAware();
    // Kept loaded for the life of the process: the rich edit windows live in it.
    if (!LoadLibraryW(L"riched20.dll"))
        return 1;
    if (!RegisterControlClasses(instance, options.claimLength) ||
        !MdiChild::RegisterWindowClass(instance) || !Frame::RegisterWindowClass(instance))
        return 1;

    auto frame = Frame::Create(options, showCommand);
    if (!frame)
        return 1;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateMDISysAccel(frame->MdiArea(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
