// The file operations under the fade store: whole reads, atomic replacement, setting a damaged file
// aside, and the lock that lets one Quillon at a time change the file. Windows only.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quillon::fades::files {

struct ReadResult {
    enum class State { Read, Missing, Failed } state = State::Failed;
    std::string bytes;
    DWORD error = 0;
};

// Reads at most limit + 1 bytes, so an overlong file shows as one. Others may replace the file
// while it is open: writers never change it in place. A file held by another program is tried
// again for a second at most, as is the move of WriteAtomically.
ReadResult ReadWhole(const std::wstring& path, std::size_t limit);

// A temporary file beside `path`, written and flushed, then moved over `path`; beforeReplace runs
// in between. Returns 0 or the error; on an error `path` is as it was.
DWORD WriteAtomically(const std::wstring& path, std::string_view bytes,
                      const std::function<void()>& beforeReplace);

// Temporaries left by a writer that died before its move. Only to be called under the lock.
void RemoveStaleTemporaries(const std::wstring& path);

// Moves `path` to the first free name of path.bad, path.bad-2, ...: an earlier one is never
// overwritten. Returns the new name, or empty with `error` set.
std::wstring SetAside(const std::wstring& path, DWORD& error);

// An exclusive lock on a lock file; released when destroyed, or by the system if the process dies.
class FileLock {
  public:
    // Waits two seconds at most; then nothing, with `error` ERROR_LOCK_VIOLATION. Not to be
    // called on a window's thread.
    static std::unique_ptr<FileLock> Take(const std::wstring& lockPath, DWORD& error);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

  private:
    explicit FileLock(HANDLE file) : file_(file) {}
    HANDLE file_;
};

std::u16string ErrorText(DWORD error);

} // namespace quillon::fades::files
