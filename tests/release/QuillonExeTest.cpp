// quillon.exe as Windows sees it before running it: a GUI program with a valid checksum, its
// version record, manifest and icon, nothing to load but system DLLs, and ASLR and DEP asked for.
#include "PracticeRoom.h"
#include "resource.h"

#include <windows.h>

#include <imagehlp.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const std::wstring kExe = BesideThisExe(L"quillon.exe");

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct ViewUnmapper {
    void operator()(void* view) const { UnmapViewOfFile(view); }
};

// The file mapped as plain bytes, the way the loader reads it before placing it in memory.
class MappedFile {
  public:
    explicit MappedFile(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr)) {
        if (file_.get() == INVALID_HANDLE_VALUE) {
            file_.release();
            return;
        }
        mapping_.reset(CreateFileMappingW(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        if (mapping_)
            view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
    }
    void* Base() const { return view_.get(); }
    IMAGE_NT_HEADERS64* Headers() const {
        return Base() ? reinterpret_cast<IMAGE_NT_HEADERS64*>(ImageNtHeader(Base())) : nullptr;
    }
    template <typename T> T* Directory(USHORT entry, ULONG& size) const {
        return static_cast<T*>(ImageDirectoryEntryToData(Base(), FALSE, entry, &size));
    }
    const char* Text(DWORD rva) const {
        return static_cast<const char*>(
            ImageRvaToVa(reinterpret_cast<IMAGE_NT_HEADERS*>(Headers()), Base(), rva, nullptr));
    }

  private:
    std::unique_ptr<void, HandleCloser> file_;
    std::unique_ptr<void, HandleCloser> mapping_;
    std::unique_ptr<void, ViewUnmapper> view_;
};

std::string Upper(const char* name) {
    std::string s = name ? name : "(name outside the file)";
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

// Every DLL the program loads, named in its import and delay-import tables.
std::set<std::string> ImportedDlls(const MappedFile& image) {
    std::set<std::string> dlls;
    ULONG size = 0;
    if (auto* d = image.Directory<IMAGE_IMPORT_DESCRIPTOR>(IMAGE_DIRECTORY_ENTRY_IMPORT, size))
        for (; d->Name; ++d)
            dlls.insert(Upper(image.Text(d->Name)));
    if (auto* d =
            image.Directory<IMAGE_DELAYLOAD_DESCRIPTOR>(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT, size))
        for (; d->DllNameRVA; ++d)
            dlls.insert(Upper(image.Text(d->DllNameRVA)));
    return dlls;
}

// A string of the version record's US English, Unicode block, or "(missing)".
std::wstring VersionString(const std::vector<BYTE>& record, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(record.data(), path.c_str(), &value, &length) || !length)
        return L"(missing)";
    return static_cast<const wchar_t*>(value);
}

TEST(QuillonExe, IsAWindowsGuiProgramWithAValidChecksum) {
    MappedFile image(kExe);
    const auto* nt = image.Headers();
    ASSERT_NE(nt, nullptr) << "quillon.exe beside this test is not a PE image";
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

    DWORD inHeader = 0, computed = 0;
    ASSERT_EQ(MapFileAndCheckSumW(kExe.c_str(), &inHeader, &computed), CHECKSUM_SUCCESS);
    EXPECT_NE(inHeader, 0u) << "no checksum set";
    EXPECT_EQ(inHeader, computed);
}

TEST(QuillonExe, AsksForHighEntropyAslrAndDepAndCanBeMoved) {
    MappedFile image(kExe);
    const auto* nt = image.Headers();
    ASSERT_NE(nt, nullptr);
    const WORD flags = nt->OptionalHeader.DllCharacteristics;
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA);
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
    // ASLR can place the image elsewhere only if it keeps its relocations.
    EXPECT_FALSE(nt->FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED);
    ULONG size = 0;
    EXPECT_NE(image.Directory<void>(IMAGE_DIRECTORY_ENTRY_BASERELOC, size), nullptr);
    EXPECT_GT(size, 0u);
}

TEST(QuillonExe, LoadsOnlyDllsThatEveryWindowsHas) {
    MappedFile image(kExe);
    ASSERT_NE(image.Headers(), nullptr);
    const std::set<std::string> system{
        "KERNEL32.DLL", "USER32.DLL",   "GDI32.DLL", "COMCTL32.DLL", "MSVCRT.DLL",  "ADVAPI32.DLL",
        "SHELL32.DLL",  "COMDLG32.DLL", "OLE32.DLL", "IMM32.DLL",    "UXTHEME.DLL", "SHLWAPI.DLL"};
    const auto dlls = ImportedDlls(image);
    EXPECT_TRUE(dlls.count("USER32.DLL") && dlls.count("GDI32.DLL") && dlls.count("COMCTL32.DLL"))
        << "the import table was not read";
    for (const auto& dll : dlls)
        EXPECT_TRUE(system.count(dll)) << dll << " does not come with Windows";
}

TEST(QuillonExe, CarriesItsVersionRecordManifestAndIcon) {
    const DWORD size = GetFileVersionInfoSizeW(kExe.c_str(), nullptr);
    ASSERT_GT(size, 0u) << "no version record";
    std::vector<BYTE> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(kExe.c_str(), 0, size, record.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1)) << "1.0";
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    EXPECT_EQ(VersionString(record, L"ProductName"), L"Quillon");
    EXPECT_EQ(VersionString(record, L"FileVersion"), L"1.00");
    EXPECT_EQ(VersionString(record, L"ProductVersion"), L"1.00");
    EXPECT_EQ(VersionString(record, L"OriginalFilename"), L"quillon.exe");
    const std::wstring description = VersionString(record, L"FileDescription");
    EXPECT_NE(description.find(L"Quillon"), std::wstring::npos) << description.c_str();
    const std::wstring copyright = VersionString(record, L"LegalCopyright");
    EXPECT_NE(copyright.find(L"the Quillon authors"), std::wstring::npos) << copyright.c_str();
    EXPECT_NE(copyright.find(L"MIT License"), std::wstring::npos) << copyright.c_str();

    const HMODULE module = LoadLibraryExW(
        kExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    const HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr) << "no application manifest";
    const auto* text = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
    const std::string xml(text, SizeofResource(module, manifest));
    EXPECT_NE(xml.find("<assembly"), std::string::npos);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(IDI_QUILLON), RT_GROUP_ICON), nullptr);
    FreeLibrary(module);
}

} // namespace
