#include "Screen.h"

#include <winternl.h>

#include <algorithm>
#include <cstdlib>

ScreenShot::ScreenShot(RECT area) : area_(area) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    pixels_.assign(static_cast<std::size_t>(w) * h, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::copy_n(static_cast<const std::uint32_t*>(bits), pixels_.size(), pixels_.begin());
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenShot::At(int x, int y) const {
    const int w = area_.right - area_.left;
    const std::uint32_t p = pixels_.at(static_cast<std::size_t>(y - area_.top) * w + (x - area_.left));
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool ScreenShot::SaveBmp(const std::wstring& path) const {
    const int w = area_.right - area_.left, h = area_.bottom - area_.top;
    BITMAPINFOHEADER header{sizeof header, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD bytes = static_cast<DWORD>(pixels_.size() * 4);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof header + bytes), 0, 0,
                          sizeof file + sizeof header};
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
              WriteFile(out, &header, sizeof header, &written, nullptr) &&
              WriteFile(out, pixels_.data(), bytes, &written, nullptr);
    CloseHandle(out);
    return ok;
}

int ColourDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

namespace {
// One entry of the GDI handle table that the platform maps into each process (64-bit layout).
struct GdiHandleEntry {
    std::uint64_t kernelObject;
    std::uint16_t processId, count, unique;
    std::uint8_t type, flags;
    std::uint64_t userObject;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiTableEntries = 0x10000;
constexpr std::size_t kPebGdiTableOffset = 0xF8; // PEB.GdiSharedHandleTable on x64
} // namespace

int GdiObjectCount(HANDLE process) {
    if (const DWORD n = GetGuiResources(process, GR_GDIOBJECTS))
        return static_cast<int>(n);
    // Wine does not implement GetGuiResources; it does keep the per-process handle table.
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  &length) != 0)
        return -1;
    void* table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) +
                                        kPebGdiTableOffset,
                           &table, sizeof table, &read) ||
        !table)
        return -1;
    std::vector<GdiHandleEntry> entries(kGdiTableEntries);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof entries[0],
                           &read))
        return -1;
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [](const auto& e) { return e.type != 0; }));
}
