// The fades file on disk under Wine: nothing written unasked, damage set aside, writes that are
// whole even when interrupted, two Quillons saving at once, and the worker that makes a window's
// changes.
#include "FadeStore.h"
#include "StoreWorker.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace quillon::fades;
namespace fs = std::filesystem;

namespace {

class FadeStoreTest : public testing::Test {
  protected:
    void SetUp() override {
        base_ = fs::temp_directory_path() /
                ("quillon-fades-" + std::to_string(GetCurrentProcessId()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(base_);
        fs::create_directories(base_);
    }
    void TearDown() override { fs::remove_all(base_); }

    fs::path Folder() const { return base_ / "Quillon"; }
    fs::path File() const { return Folder() / "fades.json"; }
    FadeStore Store() const { return FadeStore(Folder().wstring()); }

    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs the second Quillon of these tests; the caller waits for it and closes the handle.
    HANDLE StartWriter(const std::wstring& arguments) const {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        const fs::path writer = fs::path(self).parent_path() / "fade-store-writer.exe";
        std::wstring line =
            L"\"" + writer.wstring() + L"\" \"" + Folder().wstring() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(writer.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            ADD_FAILURE() << "cannot start " << writer.string() << ": " << GetLastError();
            return nullptr;
        }
        CloseHandle(process.hThread);
        return process.hProcess;
    }

    static DWORD ExitCodeAfterWaiting(HANDLE process) {
        WaitForSingleObject(process, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        CloseHandle(process);
        return code;
    }

    fs::path base_;
};

Fade Sample(std::u16string name) {
    return {std::move(name), {{1, 2, 3}, {200, 100, 50}}, Style::AllBold, u"Arial"};
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::u16string> Names(const FadeBook& book) {
    std::vector<std::u16string> names;
    for (const Fade& fade : book.Saved())
        names.push_back(fade.name);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST_F(FadeStoreTest, ASessionThatSavesNothingLeavesNoFolder) {
    const FadeStore store = Store();
    const Loaded loaded = store.Load();
    EXPECT_TRUE(loaded.book.Saved().empty());
    EXPECT_EQ(loaded.book.Start(), std::nullopt);
    EXPECT_TRUE(loaded.notice.Empty());
    EXPECT_EQ(store.Delete(u"mine").outcome, Outcome::Unchanged);
    EXPECT_EQ(store.SetStart(std::nullopt).outcome, Outcome::Unchanged);
    EXPECT_EQ(store.SetStart(u"nobody").outcome, Outcome::UnknownFade);
    EXPECT_EQ(store.Save(Sample(u"Ocean"), Replace::Yes).outcome, Outcome::BuiltInName);
    EXPECT_FALSE(fs::exists(Folder()));

    // The folder comes from %APPDATA%, and appears with the first save.
    const std::wstring appData = base_.wstring() + L"\\";
    ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", appData.c_str()));
    const auto user = FadeStore::ForUser();
    ASSERT_TRUE(user);
    EXPECT_EQ(fs::path(user->File()), File());
    const Update saved = user->Save(Sample(u"mine"), Replace::No);
    ASSERT_EQ(saved.outcome, Outcome::Done);
    EXPECT_EQ(Names(saved.book), std::vector<std::u16string>{u"mine"});
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"fades.json", "fades.json.lock"}));
    EXPECT_EQ(Names(store.Load().book), std::vector<std::u16string>{u"mine"});
}

TEST_F(FadeStoreTest, ADamagedFileIsSetAsideWithItsBytesAndNeverOverwritten) {
    fs::create_directories(Folder());
    const std::string damaged("{\"fades\": [\xFF\x00 half a file", 23);
    Put(File(), damaged);
    Put(Folder() / "fades.json.bad", "an earlier one");

    const Loaded loaded = Store().Load();
    EXPECT_TRUE(loaded.book.Saved().empty());
    EXPECT_FALSE(loaded.notice.damage.empty());
    const fs::path aside = Folder() / "fades.json.bad-2";
    EXPECT_EQ(fs::path(loaded.notice.setAsideAs), aside);
    const std::u16string text = NoticeText(loaded.notice);
    EXPECT_NE(text.find(File().u16string()), std::u16string::npos);
    EXPECT_NE(text.find(aside.u16string()), std::u16string::npos);
    EXPECT_EQ(Bytes(aside), damaged);
    EXPECT_EQ(Bytes(Folder() / "fades.json.bad"), "an earlier one");
    EXPECT_FALSE(fs::exists(File()));

    // Damage found when saving is set aside the same way before the new file is written.
    Put(File(), "[\"a list\"]");
    const Update update = Store().Save(Sample(u"mine"), Replace::No);
    ASSERT_EQ(update.outcome, Outcome::Done);
    EXPECT_EQ(fs::path(update.notice.setAsideAs), Folder() / "fades.json.bad-3");
    EXPECT_EQ(Bytes(Folder() / "fades.json.bad-3"), "[\"a list\"]");
    const Loaded after = Store().Load();
    EXPECT_TRUE(after.notice.Empty());
    EXPECT_EQ(Names(after.book), std::vector<std::u16string>{u"mine"});
}

TEST_F(FadeStoreTest, AWriteInterruptedBeforeTheMoveLeavesTheOldFile) {
    ASSERT_EQ(Store().Save(Sample(u"old"), Replace::No).outcome, Outcome::Done);
    const std::string before = Bytes(File());

    HANDLE writer = StartWriter(L"crash new");
    ASSERT_TRUE(writer);
    ASSERT_EQ(ExitCodeAfterWaiting(writer), 99u) << "the writer died at the move";
    EXPECT_EQ(Bytes(File()), before);
    std::vector<fs::path> leftovers;
    for (const auto& entry : fs::directory_iterator(Folder()))
        if (entry.path().extension() == ".tmp")
            leftovers.push_back(entry.path());
    ASSERT_EQ(leftovers.size(), 1u) << "the new file was written before the crash";
    EXPECT_NE(Bytes(leftovers[0]).find("\"new\""), std::string::npos);

    const Loaded loaded = Store().Load();
    EXPECT_TRUE(loaded.notice.Empty());
    EXPECT_EQ(Names(loaded.book), std::vector<std::u16string>{u"old"});
    // The dead writer's lock is gone with it, and its leftover with the next save.
    ASSERT_EQ(Store().Save(Sample(u"next"), Replace::No).outcome, Outcome::Done);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"fades.json", "fades.json.lock"}));
    EXPECT_EQ(Names(Store().Load().book), (std::vector<std::u16string>{u"next", u"old"}));
}

TEST_F(FadeStoreTest, TwoWritersAtOnceKeepEveryFadeAndAWholeFile) {
    ASSERT_EQ(Store().Save(Sample(u"first"), Replace::No).outcome, Outcome::Done);
    constexpr int kEach = 25;
    HANDLE writers[] = {StartWriter(L"save a " + std::to_wstring(kEach)),
                        StartWriter(L"save b " + std::to_wstring(kEach))};
    ASSERT_TRUE(writers[0] && writers[1]);

    // A third Quillon starting meanwhile always finds a whole file.
    int loads = 0, damagedLoads = 0;
    while (WaitForMultipleObjects(2, writers, TRUE, 0) == WAIT_TIMEOUT) {
        const Loaded loaded = Store().Load();
        ++loads;
        if (!loaded.notice.Empty() || loaded.book.Saved().empty())
            ++damagedLoads;
    }
    EXPECT_EQ(ExitCodeAfterWaiting(writers[0]), 0u);
    EXPECT_EQ(ExitCodeAfterWaiting(writers[1]), 0u);
    EXPECT_GT(loads, 0);
    EXPECT_EQ(damagedLoads, 0);

    // Each save read the other's before writing, so none is lost.
    std::vector<std::u16string> expected = {u"first"};
    for (int i = 0; i < kEach; ++i) {
        const std::string n = std::to_string(i);
        for (const char16_t writer : {u'a', u'b'}) {
            expected.emplace_back(1, writer);
            expected.back().append(n.begin(), n.end());
        }
    }
    std::sort(expected.begin(), expected.end());
    const Loaded final = Store().Load();
    EXPECT_TRUE(final.notice.Empty());
    EXPECT_EQ(Names(final.book), expected);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"fades.json", "fades.json.lock"}));
}

// A window's changes, in the order asked for, each result told of; and what is still waiting when
// the worker goes (the window closing right after a save) is made, not dropped.
TEST_F(FadeStoreTest, TheWorkerMakesJobsInOrderTellsOfEachAndFinishesThemBeforeItGoes) {
    using Job = StoreWorker::Job;
    constexpr UINT kNews = WM_APP + 7;
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    std::vector<StoreWorker::Done> done;
    {
        StoreWorker worker(Store(), window, kNews);
        worker.Hand(Job::Save(Sample(u"a"), Replace::No, false));
        worker.Hand(Job::Save(Sample(u"a"), Replace::No, false));
        worker.Hand(Job::Save(Sample(u"b"), Replace::No, true));
        worker.Hand(Job::Delete(u"a"));
        for (int tries = 0; done.size() < 4 && tries < 400; ++tries) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
            MSG message;
            while (PeekMessageW(&message, window, kNews, kNews, PM_REMOVE))
                for (StoreWorker::Done& d : worker.TakeDone())
                    done.push_back(std::move(d));
        }
        ASSERT_EQ(done.size(), 4u) << "each result is told of by a message";
        EXPECT_EQ(done[0].update.outcome, Outcome::Done);
        EXPECT_EQ(done[1].update.outcome, Outcome::NameTaken) << "made after the first";
        EXPECT_EQ(done[1].job.fade.name, u"a");
        EXPECT_EQ(done[2].update.outcome, Outcome::Done);
        ASSERT_TRUE(done[2].start);
        EXPECT_EQ(done[2].start->outcome, Outcome::Done);
        EXPECT_EQ(done[2].start->book.Start(), std::optional<std::u16string>(u"b"));
        EXPECT_EQ(done[3].update.outcome, Outcome::Done);
        EXPECT_EQ(Names(done[3].update.book), std::vector<std::u16string>{u"b"});
        EXPECT_FALSE(done[0].start) << "a plain save sets no start";

        worker.Hand(Job::SetStart(std::nullopt));
        worker.Hand(Job::Save(Sample(u"c"), Replace::No, false));
    } // gone with two jobs handed over and their news never taken
    const Loaded after = Store().Load();
    EXPECT_EQ(Names(after.book), (std::vector<std::u16string>{u"b", u"c"}));
    EXPECT_EQ(after.book.Start(), std::nullopt);
    DestroyWindow(window);
}
