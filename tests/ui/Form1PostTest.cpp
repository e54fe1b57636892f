// Form1 posting into the practice room: announcements, Send, and closing.
#include "BoundedSend.h"
#include "ControlIds.h"
#include "PracticeRoom.h"
#include "form1/SendAction.h"
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace quillon;
using namespace uitest;

namespace {

HWND RoomInput(HWND frame) {
    HWND mdi = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    for (HWND child = FindWindowExW(mdi, nullptr, L"AOL Child", nullptr); child;
         child = FindWindowExW(mdi, child, L"AOL Child", nullptr)) {
        if (!FindWindowExW(child, nullptr, L"_AOL_Listbox", nullptr))
            continue;
        HWND transcript = FindWindowExW(child, nullptr, L"RICHCNTL", nullptr);
        return FindWindowExW(child, transcript, L"RICHCNTL", nullptr);
    }
    return nullptr;
}

std::string InputText(HWND input) {
    char text[512]{};
    SendMessageA(input, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// A client that runs with higher rights refuses our messages with ERROR_ACCESS_DENIED. Wine has
// no integrity levels, so the refusal is made in the call every send goes through.
LRESULT WINAPI RefusingSend(HWND, UINT, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR) {
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

std::wstring ShownNotice() {
    std::wstring text;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (!IsWindowVisible(window) || lstrcmpiW(name, TOOLTIPS_CLASSW) != 0)
                return TRUE;
            *reinterpret_cast<std::wstring*>(out) = Text(window);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

} // namespace

TEST(Form1Posting, AClientWithHigherRightsGetsItsOwnNotice) {
    PracticeRoom room;
    LoadedForm f;
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    SetWindowTextW(f.Item(IDC_TEXT1), L"refused");
    Korvelix6o::SetSendFunction(RefusingSend);
    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
    const bool shown = PumpUntil([] { return !ShownNotice().empty(); }, 5000);
    Korvelix6o::SetSendFunction(nullptr);
    ASSERT_TRUE(shown);
    EXPECT_NE(ShownNotice().find(L"higher rights"), std::wstring::npos) << ShownNotice();
    EXPECT_EQ(Text(f.Item(IDC_TEXT1)), L"refused");
    EXPECT_EQ(room.Lines().size(), 2u);
}

TEST(Form1Posting, LoadAnnouncesTheProductAndTheLowerCasedUser) {
    PracticeRoom room({L"--name", L"Blue Fox"});
    LoadedForm f;
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    const auto lines = room.Lines();
    EXPECT_EQ(lines[0], Narrow(Announcement(kLoadedText)));
    EXPECT_EQ(lines[1], Narrow(Announcement(u"Loaded by: [blue fox]")));
}

TEST(Form1Posting, SendPostsTheFadedLineAndEmptiesTheBox) {
    PracticeRoom room;
    LoadedForm f;
    HWND form = f.Hwnd();
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    // COL 1 red, COL 2 blue
    Scroll(form, 1, SB_RIGHT);
    Scroll(form, 2, SB_LEFT);
    Scroll(form, 3, SB_LEFT);
    Scroll(form, 4, SB_LEFT);
    Scroll(form, 5, SB_LEFT);
    Scroll(form, 6, SB_RIGHT);
    SetWindowTextW(f.Item(IDC_TEXT1), L"abc");
    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
    ASSERT_TRUE(room.WaitForLines(3, 5000));
    EXPECT_EQ(room.Lines()[2], "<font face=Arial><font color=#FF0000>a<font color=#AA0055>b"
                               "<font color=#5500AA>c</font>");
    EXPECT_EQ(Text(f.Item(IDC_TEXT1)), L"");
    EXPECT_EQ(GetFocus(), f.Item(IDC_TEXT1));

    // Enter in the text box presses Send; the font goes in as typed.
    SetWindowTextW(f.Item(IDC_COMBO1), L"Comic Sans MS");
    Check(form, IDC_CHECK4, true);
    SetWindowTextW(f.Item(IDC_TEXT1), L"abc");
    SetFocus(f.Item(IDC_TEXT1));
    MSG enter{f.Item(IDC_TEXT1), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(form, &enter));
    ASSERT_TRUE(room.WaitForLines(4, 5000));
    EXPECT_EQ(room.Lines()[3], "<b><font face=Comic Sans MS><font color=#FF0000>a<font "
                               "color=#AA0055>b<font color=#5500AA>c</font></b>");
}

TEST(Form1Posting, ColourFourWithoutColourThreeDoesNothing) {
    PracticeRoom room;
    LoadedForm f;
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    Check(f.Hwnd(), IDC_CHECK2, true);
    SetWindowTextW(f.Item(IDC_TEXT1), L"stays");
    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
    EXPECT_FALSE(room.WaitForLines(3, 1000));
    EXPECT_EQ(Text(f.Item(IDC_TEXT1)), L"stays");
    EXPECT_EQ(f.refusals, 0);
}

TEST(Form1Posting, CloseMarkPostsTheClosingLineAndEnds) {
    PracticeRoom room;
    LoadedForm f;
    HWND form = f.Hwnd();
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    TakeQuit();
    LeftClick(f.Item(IDC_LABEL2));
    EXPECT_TRUE(PumpUntil([form] { return !IsWindow(form); }, 15000));
    ASSERT_TRUE(room.WaitForLines(3, 5000));
    EXPECT_EQ(room.Lines()[2], Narrow(Announcement(kUnloadedText)));
    EXPECT_TRUE(TakeQuit());
}

namespace {
HWND g_closeMark = nullptr;
void CALLBACK ClickCloseMark(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    LeftClick(g_closeMark);
}
} // namespace

// The close mark clicked while Send waits for the client: the closing line follows the sent
// one, and the user's draft is back in the chat input at the end.
TEST(Form1Posting, CloseDuringAPostWaitsForTheDraftToComeBack) {
    PracticeRoom room({L"--empty-delay", L"1500"});
    LoadedForm f;
    HWND form = f.Hwnd();
    ASSERT_TRUE(room.WaitForLines(2, 8000));
    Pump(1700); // let the last announcement leave the input
    HWND input = RoomInput(room.Frame());
    ASSERT_TRUE(input);
    SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("my draft"));

    SetWindowTextW(f.Item(IDC_TEXT1), L"abc");
    g_closeMark = f.Item(IDC_LABEL2);
    SetTimer(nullptr, 0, 300, ClickCloseMark);
    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);

    EXPECT_TRUE(PumpUntil([form] { return !IsWindow(form); }, 15000));
    ASSERT_TRUE(room.WaitForLines(4, 8000));
    const auto lines = room.Lines();
    EXPECT_EQ(lines[2], "<font face=Arial><font color=#000000>a<font color=#000000>b"
                        "<font color=#000000>c</font>");
    EXPECT_EQ(lines[3], Narrow(Announcement(kUnloadedText)));
    EXPECT_FALSE(IsWindow(form));
    Pump(1700);
    EXPECT_EQ(InputText(input), "my draft");
    TakeQuit();
}
