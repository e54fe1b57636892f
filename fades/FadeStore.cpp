#include "FadeStore.h"

#include "StoreFiles.h"

#include <shlobj.h>

#include <mutex>
#include <variant>

namespace quillon::fades {

namespace {

// File locks are held per handle; this also keeps two threads of one Quillon apart.
std::mutex gChanging;

std::u16string U16(const std::wstring& text) {
    return {text.begin(), text.end()};
}

void TellAbout(const FadeBook& book, Notice& notice) {
    notice.skipped = book.SkippedEntries();
    notice.unknownStart = book.UnknownStart().value_or(u"");
}

} // namespace

FadeStore::FadeStore(std::wstring folder) : folder_(std::move(folder)) {
    while (folder_.size() > 3 && (folder_.back() == L'\\' || folder_.back() == L'/'))
        folder_.pop_back();
}

std::optional<FadeStore> FadeStore::ForUser() {
    std::wstring base(MAX_PATH, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", base.data(), MAX_PATH);
    base.resize(length < MAX_PATH ? length : 0);
    if (base.empty()) {
        PWSTR known = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known)))
            base = known;
        CoTaskMemFree(known);
    }
    if (base.empty())
        return std::nullopt;
    return FadeStore(base + L"\\Quillon");
}

Loaded FadeStore::Load() const {
    Loaded loaded;
    loaded.notice.file = U16(File());
    try {
        const auto read = files::ReadWhole(File(), FadeBook::kMaxFileBytes);
        if (read.state == files::ReadResult::State::Missing)
            return loaded;
        if (read.state == files::ReadResult::State::Failed) {
            loaded.notice.error = files::ErrorText(read.error);
            return loaded;
        }
        auto parsed = FadeBook::Parse(read.bytes);
        if (auto* book = std::get_if<FadeBook>(&parsed)) {
            loaded.book = std::move(*book);
            TellAbout(loaded.book, loaded.notice);
            return loaded;
        }
        // Damaged: look again under the lock, where no writer can be replacing it, and set it
        // aside.
        std::lock_guard threads(gChanging);
        DWORD error = 0;
        const auto lock = files::FileLock::Take(File() + L".lock", error);
        if (!lock) {
            loaded.notice.damage = std::get<Damage>(parsed).why;
            return loaded;
        }
        if (auto book = ReadLocked(loaded.notice)) {
            loaded.book = std::move(*book);
            TellAbout(loaded.book, loaded.notice);
        }
    } catch (const std::exception&) {
        loaded.book = FadeBook();
        loaded.notice.error = u"out of memory";
    }
    return loaded;
}

std::optional<FadeBook> FadeStore::ReadLocked(Notice& notice) const {
    const auto read = files::ReadWhole(File(), FadeBook::kMaxFileBytes);
    if (read.state == files::ReadResult::State::Missing)
        return FadeBook();
    if (read.state == files::ReadResult::State::Failed) {
        notice.error = files::ErrorText(read.error);
        return std::nullopt;
    }
    auto parsed = FadeBook::Parse(read.bytes);
    if (auto* book = std::get_if<FadeBook>(&parsed))
        return std::move(*book);
    notice.damage = std::get<Damage>(parsed).why;
    DWORD error = 0;
    const std::wstring aside = files::SetAside(File(), error);
    if (aside.empty()) {
        // Left where it is, so no write may go over it.
        notice.error = files::ErrorText(error);
        return std::nullopt;
    }
    notice.setAsideAs = U16(aside);
    return FadeBook();
}

Update FadeStore::Change(const std::function<Outcome(FadeBook&)>& change) const {
    Update update;
    update.notice.file = U16(File());
    try {
        if (GetFileAttributesW(folder_.c_str()) == INVALID_FILE_ATTRIBUTES) {
            // No folder, so no file: a change that comes to nothing leaves no trace either.
            update.outcome = change(update.book);
            if (update.outcome != Outcome::Done)
                return update;
            update.book = FadeBook();
            if (!CreateDirectoryW(folder_.c_str(), nullptr) &&
                GetLastError() != ERROR_ALREADY_EXISTS) {
                update.notice.error = files::ErrorText(GetLastError());
                update.outcome = Outcome::Failed;
                return update;
            }
        }
        std::lock_guard threads(gChanging);
        DWORD error = 0;
        const auto lock = files::FileLock::Take(File() + L".lock", error);
        if (!lock) {
            update.outcome = error == ERROR_LOCK_VIOLATION ? Outcome::Busy : Outcome::Failed;
            update.notice.error = files::ErrorText(error);
            return update;
        }
        files::RemoveStaleTemporaries(File());
        auto current = ReadLocked(update.notice);
        if (!current) {
            update.outcome = Outcome::Failed;
            return update;
        }
        update.book = *current;
        update.outcome = change(update.book);
        if (update.outcome != Outcome::Done)
            return update;
        if (const DWORD failed =
                files::WriteAtomically(File(), update.book.Serialise(), beforeReplace_)) {
            update.book = std::move(*current);
            update.notice.error = files::ErrorText(failed);
            update.outcome = Outcome::Failed;
        }
    } catch (const std::exception&) {
        update.outcome = Outcome::Failed;
        update.notice.error = u"out of memory";
    }
    return update;
}

Update FadeStore::Save(const Fade& fade, Replace replace) const {
    return Change([&](FadeBook& book) { return book.Save(fade, replace); });
}

Update FadeStore::Delete(std::u16string_view name) const {
    return Change([&](FadeBook& book) { return book.Delete(name); });
}

Update FadeStore::SetStart(std::optional<std::u16string_view> name) const {
    return Change([&](FadeBook& book) { return book.SetStart(name); });
}

} // namespace quillon::fades
