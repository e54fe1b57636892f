// The practice room as another process sees it, driven through ANSI calls as a client would.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::wstring Beside(const std::wstring& file) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + file;
}

struct FrameSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindFrameOf(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<FrameSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (pid == search->pid && std::string(cls) == "AOL Frame25") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

class Room {
  public:
    explicit Room(const std::wstring& args = L"") {
        wchar_t dir[MAX_PATH], file[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        GetTempFileNameW(dir, L"prm", 0, file);
        log_ = file;
        std::wstring command =
            L"\"" + Beside(L"practice-room.exe") + L"\" --log \"" + log_ + L"\" " + args;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &si, &process_))
            throw std::runtime_error("practice-room.exe did not start");
        WaitForInputIdle(process_.hProcess, 20000);
        for (int i = 0; i < 400 && !frame_; ++i) {
            FrameSearch search{process_.dwProcessId, nullptr};
            EnumWindows(FindFrameOf, reinterpret_cast<LPARAM>(&search));
            // Shown only once every inner window is made.
            frame_ = search.found && IsWindowVisible(search.found) ? search.found : nullptr;
            if (!frame_)
                Sleep(50);
        }
        if (!frame_)
            throw std::runtime_error("no frame window");
    }
    ~Room() {
        if (IsWindow(frame_))
            PostMessageW(frame_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        DeleteFileW(log_.c_str());
    }

    HWND Frame() const { return frame_; }
    HANDLE Process() const { return process_.hProcess; }
    HWND Area() const { return FindWindowExA(frame_, nullptr, "MDIClient", nullptr); }
    HWND FirstChild() const { return FindWindowExA(Area(), nullptr, "AOL Child", nullptr); }
    HWND Input() const {
        HWND first = FindWindowExA(FirstChild(), nullptr, "richcntl", nullptr);
        return FindWindowExA(FirstChild(), first, "richcntl", nullptr);
    }
    HWND Transcript() const { return FindWindowExA(FirstChild(), nullptr, "RICHCNTL", nullptr); }

    // Escaped log lines, as written.
    std::vector<std::string> Lines() const {
        std::ifstream in(std::filesystem::path(log_), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

  private:
    std::wstring log_;
    PROCESS_INFORMATION process_{};
    HWND frame_ = nullptr;
};

std::string Caption(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    return cls;
}

std::string TextOf(HWND window) {
    const auto n = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    const auto copied =
        SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void Post(HWND input, const std::string& line) {
    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(input, WM_CHAR, 13, 0);
}

// Polls for a condition the other process brings about in its own time.
template <class Condition> bool Eventually(Condition condition) {
    for (int i = 0; i < 200; ++i) {
        if (condition())
            return true;
        Sleep(25);
    }
    return false;
}

std::vector<HWND> InnerWindows(const Room& room) {
    std::vector<HWND> inner;
    for (HWND w = room.FirstChild(); w; w = FindWindowExA(room.Area(), w, "AOL Child", nullptr))
        inner.push_back(w);
    return inner;
}

TEST(RoomProcess, PresentsTheWindowTreeAClientSearches) {
    Room room;
    const auto inner = InnerWindows(room);
    ASSERT_EQ(inner.size(), 2u);
    EXPECT_EQ(Caption(inner[0]), "Town Square"); // the room is frontmost
    EXPECT_EQ(Caption(inner[1]), "Welcome, Blue Fox!");

    std::vector<std::string> classes;
    for (HWND c = GetWindow(inner[0], GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        classes.push_back(ClassOf(c));
    EXPECT_EQ(classes, (std::vector<std::string>{"RICHCNTL", "RICHCNTL", "_AOL_Listbox",
                                                 "_AOL_Icon", "_AOL_Static"}));
    HWND people = FindWindowExA(inner[0], nullptr, "_AOL_Listbox", nullptr);
    EXPECT_GE(SendMessageA(people, LB_GETCOUNT, 0, 0), 2);
    // The screen name heads the list (its text does not cross processes intact under Wine).
    EXPECT_EQ(SendMessageA(people, LB_GETTEXTLEN, 0, 0), 8);
}

TEST(RoomProcess, OptionsShapeTheTree) {
    {
        Room room(L"--name \"Ann Lee\" --rooms 2 --room-name Lobby");
        const auto inner = InnerWindows(room);
        ASSERT_EQ(inner.size(), 3u);
        EXPECT_EQ(Caption(inner[0]), "Lobby 2");
        EXPECT_EQ(Caption(inner[1]), "Lobby");
        EXPECT_EQ(Caption(inner[2]), "Welcome, Ann Lee!");
    }
    {
        Room room(L"--rooms 0 --no-welcome");
        EXPECT_NE(room.Area(), nullptr);
        EXPECT_TRUE(InnerWindows(room).empty());
    }
}

TEST(RoomProcess, InputAnswersTextMessagesLikeAnEdit) {
    Room room(L"--never-empty");
    HWND input = room.Input();
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(SendMessageA(input, WM_GETTEXTLENGTH, 0, 0), 0);
    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("hello"));
    EXPECT_EQ(SendMessageA(input, WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_EQ(TextOf(input), "hello");

    SendMessageA(input, EM_SETSEL, 0, 2);
    SendMessageA(input, WM_CLEAR, 0, 0);
    EXPECT_EQ(TextOf(input), "llo");

    // A short buffer gets what fits, terminated.
    char small[3] = "xx";
    EXPECT_EQ(SendMessageA(input, WM_GETTEXT, 3, reinterpret_cast<LPARAM>(small)), 2);
    EXPECT_STREQ(small, "ll");
}

TEST(RoomProcess, LineEndsSetIntoTheInputComeBackAndReachTheLogUnchanged) {
    Room room(L"--never-empty");
    HWND input = room.Input();
    const std::string line = "a\r\nb\rc\nd\\e";
    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    EXPECT_EQ(SendMessageA(input, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(line.size()));
    EXPECT_EQ(TextOf(input), line);
    SendMessageA(input, WM_CHAR, 13, 0);
    ASSERT_TRUE(Eventually([&] { return room.Lines().size() == 1; }));
    EXPECT_EQ(room.Lines()[0], "a\\r\\nb\\rc\\nd\\\\e");
    // Once edited, the control's own text counts again.
    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x\ny"));
    SendMessageA(input, EM_SETSEL, 0, 0);
    SendMessageA(input, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("z"));
    EXPECT_EQ(TextOf(input).substr(0, 2), "zx");
}

TEST(RoomProcess, LongMarkedUpLinesArriveWhole) {
    Room room;
    const std::string word(100, 'x');
    std::string line;
    for (int i = 0; i < 600; ++i)
        line += "<font color=#" + std::string(i % 2 ? "FF0000" : "0000FF") + ">" + word;
    ASSERT_GT(line.size(), 70000u); // beyond an edit control's default limit
    SendMessageA(room.Input(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    EXPECT_EQ(SendMessageA(room.Input(), WM_GETTEXTLENGTH, 0, 0),
              static_cast<LRESULT>(line.size()));
    SendMessageA(room.Input(), WM_CHAR, 13, 0);
    ASSERT_EQ(room.Lines().size(), 1u);
    EXPECT_EQ(room.Lines()[0], line);
    EXPECT_NE(TextOf(room.Transcript()).find("Blue Fox: " + std::string(60000, 'x')),
              std::string::npos);
}

TEST(RoomProcess, EnterTakesTheLineLogsItShowsItAndEmptiesTheInput) {
    Room room;
    HWND input = room.Input();
    Post(input, "<font face=Arial><font color=#FF0000>a<font color=#00FF00>b</font> <b>bold</b>");
    EXPECT_EQ(TextOf(input), ""); // emptied before WM_CHAR returned
    Post(input, "second caf\xE9");
    ASSERT_EQ(room.Lines().size(), 2u); // flushed by the time Enter was handled
    EXPECT_EQ(room.Lines()[0],
              "<font face=Arial><font color=#FF0000>a<font color=#00FF00>b</font> <b>bold</b>");
    EXPECT_EQ(room.Lines()[1], "second caf\xE9");

    const std::string transcript = TextOf(room.Transcript());
    EXPECT_NE(transcript.find("Blue Fox: ab bold"), std::string::npos) << transcript;
    EXPECT_NE(transcript.find("Blue Fox: second caf\xE9"), std::string::npos) << transcript;
    EXPECT_LT(transcript.find("ab bold"), transcript.find("second"));
}

TEST(RoomProcess, EnterNeverBecomesALineBreakAndEmptyInputSendsNothing) {
    Room room(L"--never-empty");
    HWND input = room.Input();
    Post(input, "abc");
    EXPECT_EQ(TextOf(input), "abc");
    SendMessageA(input, WM_CHAR, 10, 0);
    EXPECT_EQ(TextOf(input), "abc");
    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(input, WM_CHAR, 13, 0);
    EXPECT_EQ(room.Lines(), (std::vector<std::string>{"abc"}));
}

TEST(RoomProcess, SendButtonTakesTheLine) {
    Room room;
    HWND icon = FindWindowExA(room.FirstChild(), nullptr, "_AOL_Icon", nullptr);
    SendMessageA(room.Input(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("by button"));
    SendMessageA(icon, BM_CLICK, 0, 0);
    ASSERT_TRUE(Eventually([&] { return room.Lines().size() == 1; }));
    EXPECT_EQ(room.Lines()[0], "by button");
    EXPECT_EQ(TextOf(room.Input()), "");
}

TEST(RoomProcess, DelayedEmptyingLogsAtOnceAndEmptiesLater) {
    Room room(L"--empty-delay 400");
    HWND input = room.Input();
    Post(input, "slow");
    EXPECT_EQ(room.Lines(), (std::vector<std::string>{"slow"}));
    EXPECT_EQ(TextOf(input), "slow");
    EXPECT_TRUE(Eventually([&] { return TextOf(input).empty(); }));
}

TEST(RoomProcess, CloseOnLineDestroysTheRoomAfterLogging) {
    Room room(L"--close-on-line");
    HWND chat = room.FirstChild();
    Post(room.Input(), "last words");
    EXPECT_EQ(room.Lines(), (std::vector<std::string>{"last words"}));
    EXPECT_FALSE(IsWindow(chat));
    EXPECT_TRUE(IsWindow(room.Frame()));
    const auto inner = InnerWindows(room);
    ASSERT_EQ(inner.size(), 1u);
    EXPECT_EQ(Caption(inner[0]), "Welcome, Blue Fox!");
}

TEST(RoomProcess, ClosingTheFrameEndsTheProcess) {
    Room room;
    Post(room.Input(), "bye");
    SendMessageA(room.Frame(), WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(room.Process(), 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(room.Process(), &code);
    EXPECT_EQ(code, 0u);
}

TEST(RoomProcess, FaultsStartAtTheirLineAndTheRoomIsNotFooledByItsOwnClaim) {
    Room room(L"--fault-from 3 --busy-ms 1500 --exit-on-enter --claim-length 123456");
    const HWND input = room.Input();
    EXPECT_EQ(SendMessageW(input, WM_GETTEXTLENGTH, 0, 0), 123456);
    Post(input, "one");
    Post(input, "");
    Post(input, "two"); // an empty Enter is no line: this is line 2
    EXPECT_EQ(room.Lines(), (std::vector<std::string>{"one", "two"}));

    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("three"));
    DWORD_PTR result = 0;
    SendMessageTimeoutA(input, WM_CHAR, 13, 0, SMTO_NORMAL, 5000, &result);
    ASSERT_EQ(WaitForSingleObject(room.Process(), 5000), WAIT_OBJECT_0) << "exits inside Enter";
    DWORD code = 0;
    GetExitCodeProcess(room.Process(), &code);
    EXPECT_EQ(code, 3u);
    EXPECT_EQ(room.Lines().size(), 2u) << "without taking the line";
}

TEST(RoomProcess, BusyInsideEnterAnswersNothingThenTakesTheLine) {
    Room room(L"--busy-ms 2000 --render-refs");
    const HWND input = room.Input();
    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("&#937; and &amp;"));
    PostMessageA(input, WM_CHAR, 13, 0);
    Sleep(300);
    DWORD_PTR length = 0;
    EXPECT_EQ(SendMessageTimeoutA(input, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 300, &length), 0)
        << "hangs: not even sent messages are answered";
    ASSERT_TRUE(Eventually([&] { return room.Lines().size() == 1; }));
    EXPECT_EQ(room.Lines()[0], "&#937; and &amp;") << "the line is received as it was sent";
    wchar_t shown[64] = L"";
    SendMessageW(room.Transcript(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"Blue Fox: \u03A9 and &amp;") << "the transcript reads the reference";
}

} // namespace
