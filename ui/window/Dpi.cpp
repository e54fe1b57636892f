#include "Dpi.h"

namespace quillon {

namespace {

template <class Function> Function* Entry(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (!handle)
        handle = LoadLibraryW(module);
    return handle
               ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
               : nullptr;
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

// From shellscalingapi.h, which Windows 7 lacks.
constexpr int kPerMonitorDpiAware = 2;
constexpr int kEffectiveDpi = 0;

int MonitorDpi(HMONITOR monitor) {
    using GetDpiForMonitorFn = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
    static auto* getDpiForMonitor = Entry<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (monitor && getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)))
        return static_cast<int>(y);
    return SystemDpi();
}

} // namespace

void EnableDpiAwareness() {
    using ContextFn = BOOL WINAPI(DPI_AWARENESS_CONTEXT);
    using AwarenessFn = HRESULT WINAPI(int);
    if (auto* setContext = Entry<ContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
        if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) ||
            setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE))
            return;
        if (GetLastError() == ERROR_ACCESS_DENIED) // already set, by the manifest
            return;
    }
    if (auto* setAwareness = Entry<AwarenessFn>(L"shcore.dll", "SetProcessDpiAwareness")) {
        const HRESULT result = setAwareness(kPerMonitorDpiAware);
        if (SUCCEEDED(result) || result == E_ACCESSDENIED)
            return;
    }
    SetProcessDPIAware();
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT WINAPI(HWND);
    static auto* getDpiForWindow = Entry<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow)
        if (const UINT dpi = getDpiForWindow(window))
            return static_cast<int>(dpi);
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int DpiAt(POINT screenPoint) {
    return MonitorDpi(MonitorFromPoint(screenPoint, MONITOR_DEFAULTTOPRIMARY));
}

} // namespace quillon
