#include "GdiObjects.h"

#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

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
    if (!ReadProcessMemory(process,
                           reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTableOffset,
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
