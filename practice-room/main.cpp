// A stand-in chat client: the window tree and chat input a client automation searches and drives.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

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

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
    BeDpiAware();
    // Kept loaded for the life of the process: the rich edit windows live in it.
    if (!LoadLibraryW(L"riched20.dll"))
        return 1;
    if (!RegisterControlClasses(instance) || !MdiChild::RegisterWindowClass(instance) ||
        !Frame::RegisterWindowClass(instance))
        return 1;

    const Options options = ParseOptions(CommandLineArgs());
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
