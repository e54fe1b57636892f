#include "StoreFiles.h"

#include <algorithm>
#include <atomic>

namespace quillon::fades::files {

namespace {

// Another program (a virus scanner, an editor) may hold the file for a moment; then try again,
// for a second at most.
constexpr DWORD kPassingMs = 1000;
constexpr DWORD kPauseMs = 20;
// Writers hold the lock for a read and a write of a small file: two seconds means something
// hangs, or another Quillon has been stopped in a debugger.
constexpr DWORD kLockWaitMs = 2000;
constexpr DWORD kLockPauseMs = 5;

// Time, not a count of tries: a pause may last longer than asked for.
class Within {
  public:
    explicit Within(DWORD ms) : end_(GetTickCount64() + ms) {}
    bool Still() const { return GetTickCount64() < end_; }

  private:
    ULONGLONG end_;
};

bool IsPassing(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

struct Handle {
    HANDLE h;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
};

std::wstring TemporaryName(const std::wstring& path) {
    static std::atomic<unsigned> counter{0};
    return path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L".tmp";
}

std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

} // namespace

ReadResult ReadWhole(const std::wstring& path, std::size_t limit) {
    ReadResult result;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (const Within time(kPassingMs);;) {
        file = CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            break;
        result.error = GetLastError();
        if (result.error == ERROR_FILE_NOT_FOUND || result.error == ERROR_PATH_NOT_FOUND) {
            result.state = ReadResult::State::Missing;
            return result;
        }
        if (!IsPassing(result.error) || !time.Still())
            return result;
        Sleep(kPauseMs);
    }
    Handle closer{file};
    char buffer[16384];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            result.error = GetLastError();
            return result;
        }
        if (got == 0)
            break;
        result.bytes.append(buffer, got);
        if (result.bytes.size() > limit)
            break;
    }
    result.state = ReadResult::State::Read;
    return result;
}

DWORD WriteAtomically(const std::wstring& path, std::string_view bytes,
                      const std::function<void()>& beforeReplace) {
    const std::wstring temporary = TemporaryName(path);
    {
        Handle file{CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (file.h == INVALID_HANDLE_VALUE)
            return GetLastError();
        const auto fail = [&] {
            const DWORD error = GetLastError();
            CloseHandle(file.h);
            file.h = INVALID_HANDLE_VALUE;
            DeleteFileW(temporary.c_str());
            return error ? error : ERROR_WRITE_FAULT;
        };
        for (std::size_t done = 0; done < bytes.size();) {
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
            DWORD wrote = 0;
            if (!WriteFile(file.h, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0)
                return fail();
            done += wrote;
        }
        // On disk before the move, so the name never points at a file still in the cache only.
        if (!FlushFileBuffers(file.h))
            return fail();
    }
    if (beforeReplace)
        beforeReplace();
    DWORD error = 0;
    for (const Within time(kPassingMs);;) {
        if (MoveFileExW(temporary.c_str(), path.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        error = GetLastError();
        if (!IsPassing(error) || !time.Still())
            break;
        Sleep(kPauseMs);
    }
    DeleteFileW(temporary.c_str());
    return error;
}

void RemoveStaleTemporaries(const std::wstring& path) {
    const std::wstring folder = FolderOf(path);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L".*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::wstring SetAside(const std::wstring& path, DWORD& error) {
    for (int n = 1; n < 1000; ++n) {
        const std::wstring aside = path + L".bad" + (n == 1 ? L"" : L"-" + std::to_wstring(n));
        // Without MOVEFILE_REPLACE_EXISTING the move fails rather than overwrite.
        if (MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH))
            return aside;
        error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            return {};
    }
    return {};
}

std::unique_ptr<FileLock> FileLock::Take(const std::wstring& lockPath, DWORD& error) {
    HANDLE file = CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return nullptr;
    }
    for (const Within time(kLockWaitMs);;) {
        OVERLAPPED at{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
            return std::unique_ptr<FileLock>(new FileLock(file));
        error = GetLastError();
        if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING)
            break;
        if (!time.Still()) {
            error = ERROR_LOCK_VIOLATION;
            break;
        }
        Sleep(kLockPauseMs);
    }
    CloseHandle(file);
    return nullptr;
}

FileLock::~FileLock() {
    OVERLAPPED at{};
    UnlockFileEx(file_, 0, 1, 0, &at);
    CloseHandle(file_);
}

std::u16string ErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string result;
    if (length > 0 && text)
        result.assign(text, text + length);
    LocalFree(text);
    while (!result.empty() &&
           (result.back() == u'\n' || result.back() == u'\r' || result.back() == u' '))
        result.pop_back();
    if (result.empty()) {
        const std::string number = "error " + std::to_string(error);
        result.assign(number.begin(), number.end());
    }
    return result;
}

} // namespace quillon::fades::files
