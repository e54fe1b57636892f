// The user's fades on disk: %APPDATA%\Quillon\fades.json. Windows only.
//
// Nothing is written until something changes: no folder, no file. Every change is read, applied
// and written under an exclusive lock on fades.json.lock beside the file, from a fresh read, so two
// Quillons saving at once both keep their fades. Every write goes to a temporary file that is
// flushed and then moved over the old one, so the file is always the old one or the new one.
// A file that cannot be used is moved aside, never overwritten. A change may wait for the lock
// and the disk for seconds: a window has it made by a StoreWorker.
#pragma once

#include "FadeBook.h"
#include "FadeNotice.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::fades {

struct Loaded {
    FadeBook book;
    Notice notice; // Empty() when there is nothing to tell
};

struct Update {
    Outcome outcome = Outcome::Failed;
    FadeBook book; // the fades as the file now holds them, other Quillons' changes included
    Notice notice; // a damaged file found and set aside, or the error of a failed write
};

class FadeStore {
  public:
    explicit FadeStore(std::wstring folder);
    // %APPDATA%\Quillon, from the APPDATA variable (so a test or a portable setup can move it),
    // else from the system's roaming application data folder.
    static std::optional<FadeStore> ForUser();

    const std::wstring& Folder() const { return folder_; }
    std::wstring File() const { return folder_ + L"\\fades.json"; }

    Loaded Load() const;
    Update Save(const Fade& fade, Replace replace) const;
    Update Delete(std::u16string_view name) const;
    Update SetStart(std::optional<std::u16string_view> name) const;

    // Runs between writing the new file and moving it into place: tests interrupt a write there.
    void SetBeforeReplace(std::function<void()> hook) { beforeReplace_ = std::move(hook); }

  private:
    Update Change(const std::function<Outcome(FadeBook&)>& change) const;
    std::optional<FadeBook> ReadLocked(Notice& notice) const;

    std::wstring folder_;
    std::function<void()> beforeReplace_;
};

} // namespace quillon::fades
