// The text line as a live preview: every character as the chat room shows the line Send posts.
#include "ControlIds.h"
#include "PracticeRoom.h"
#include "Transcript.h"
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <stdexcept>
#include <tuple>
#include <vector>

using namespace quillon;
using namespace uitest;

namespace {

constexpr COLORREF kMarkupGrey = RGB(128, 128, 128);

struct Look {
    COLORREF colour = 0;
    bool bold = false;
    std::wstring face = L"Arial";
    bool operator==(const Look&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Look& look) {
    char colour[8];
    std::snprintf(colour, sizeof colour, "%06lX", static_cast<unsigned long>(look.colour));
    return out << colour << (look.bold ? " bold " : " ")
               << std::string(look.face.begin(), look.face.end());
}

std::vector<Look> LooksOf(HWND richEdit) {
    std::vector<Look> looks;
    for (const CHARFORMAT2W& format : CharFormats(richEdit)) {
        EXPECT_FALSE(format.dwEffects &
                     (CFE_ITALIC | CFE_UNDERLINE | CFE_SUBSCRIPT | CFE_SUPERSCRIPT));
        looks.push_back(
            {format.crTextColor, (format.dwEffects & CFE_BOLD) != 0, format.szFaceName});
    }
    return looks;
}

// How the room shows a line it received: the room's own transcript code renders it into a rich
// edit of the room's kind, here in this process, because character formats cannot be read from
// another process. The speaker's "x: " in front is left out. With references, characters the
// code page lacks, which go as numeric references, show as themselves.
std::vector<Look> RoomLooks(const std::string& ansiLine, bool references = false) {
    static const HMODULE richEdit20 = LoadLibraryW(L"riched20.dll");
    EXPECT_TRUE(richEdit20);
    std::wstring line(ansiLine.size(), L'\0');
    line.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, ansiLine.data(), static_cast<int>(ansiLine.size()),
                            line.data(), static_cast<int>(line.size()))));
    HWND transcript =
        CreateWindowExW(0, RICHEDIT_CLASSW, L"", WS_POPUP | ES_MULTILINE | ES_READONLY, 0, 0, 600,
                        200, nullptr, nullptr, nullptr, nullptr);
    SendMessageW(transcript, EM_EXLIMITTEXT, 0, 1 << 24);
    Transcript(transcript).AppendLine(L"x", line, references);
    std::vector<Look> looks = LooksOf(transcript);
    DestroyWindow(transcript);
    looks.erase(looks.begin(), looks.begin() + std::min<std::size_t>(3, looks.size()));
    return looks;
}

// A thumb drag of the slider to value, as the scroll bar reports it.
void Drag(HWND form, int slider, int value) {
    Scroll(form, slider, SB_THUMBTRACK, value);
    Scroll(form, slider, SB_THUMBPOSITION, value);
}

void SetColour(HWND form, int column, COLORREF colour) {
    Drag(form, 3 * column - 2, GetRValue(colour));
    Drag(form, 3 * column - 1, GetGValue(colour));
    Drag(form, 3 * column, GetBValue(colour));
}

// The two colours of a plain fade.
void RedToBlue(HWND form) {
    SetColour(form, 1, RGB(255, 0, 0));
    SetColour(form, 2, RGB(0, 0, 255));
}

// A click on the box, as the user ticks or clears it.
void Tick(const LoadedForm& f, int id, bool on) {
    if ((SendMessageW(f.Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED) != on)
        SendMessageW(f.Item(id), BM_CLICK, 0, 0);
}

void Retype(HWND text1, std::wstring_view line) {
    SetFocus(text1);
    SendMessageW(text1, EM_SETSEL, 0, -1);
    SendMessageW(text1, WM_CLEAR, 0, 0);
    TypeInto(text1, line);
}

// Ctrl, Shift or neither held down for the keys that follow.
void HoldKey(int key, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void PutOnClipboard(UINT format, const void* data, std::size_t bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), data, bytes);
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
}

// Lets the message loop run, and with it the preview's idle turns, until check holds or a while
// generous for a loaded machine has passed.
template <class Check> bool Eventually(Check check) {
    for (DWORD waited = 0; waited < 10000; waited += 50) {
        if (check())
            return true;
        Pump(50);
    }
    return check();
}

} // namespace

// Typing, then slider moves and box clicks: the line looks as the room shows what Send then posts,
// character by character, in all three styles with two, three and four colours.
TEST(TextLinePreview, EveryCharacterLooksAsTheRoomShowsTheLineSendPosts) {
    PracticeRoom room;
    LoadedForm f;
    HWND form = f.Hwnd();
    HWND text1 = f.Item(IDC_TEXT1);
    ASSERT_TRUE(room.WaitForLines(2, 5000));

    const std::wstring line = L"  Hello \"big\" world, 42 times over ";
    const std::size_t lead = 2, trail = 1;
    enum Style { Plain, FirstLetters, Bold };
    std::size_t received = 2;
    int round = 0;
    for (int colours : {2, 3, 4}) {
        for (Style style : {Plain, FirstLetters, Bold}) {
            SCOPED_TRACE(testing::Message() << colours << " colours, style " << style);
            ++round;
            Retype(text1, line);
            for (int column = 1; column <= 4; ++column)
                SetColour(form, column,
                          RGB((70 * column + 29 * round) % 256,
                              (250 - 60 * column + 13 * round) % 256,
                              (90 * column * column + 41 * round) % 256));
            Tick(f, IDC_CHECK2, colours == 4);
            Tick(f, IDC_CHECK1, colours >= 3);
            Tick(f, IDC_CHECK3, style == FirstLetters);
            Tick(f, IDC_CHECK4, style == Bold);
            ASSERT_EQ(Text(text1), line) << "the characters stay the user's";
            const std::vector<Look> shown = LooksOf(text1);

            SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
            ASSERT_TRUE(room.WaitForLines(++received, 5000));
            const std::vector<Look> roomLooks = RoomLooks(room.Lines().back());

            // The first-letter style trims the blanks at the ends: the room shows nothing there.
            const bool trimmed = style == FirstLetters;
            ASSERT_EQ(roomLooks.size(), trimmed ? line.size() - lead - trail : line.size());
            ASSERT_EQ(shown.size(), line.size());
            for (std::size_t i = 0; i < line.size(); ++i) {
                if (trimmed && (i < lead || i >= line.size() - trail))
                    EXPECT_EQ(shown[i], Look{}) << "trimmed blank " << i;
                else
                    EXPECT_EQ(shown[i], roomLooks[i - (trimmed ? lead : 0)]) << "character " << i;
            }
            EXPECT_NE(shown[lead].colour, shown[line.size() - trail - 1].colour) << "a fade";
        }
    }

    // Tags the user types are markup in the room: they show there as nothing, here in grey.
    Tick(f, IDC_CHECK1, false);
    Tick(f, IDC_CHECK2, false);
    Tick(f, IDC_CHECK3, true);
    const std::wstring tagged = L"a <b>bold</b> move";
    Retype(text1, tagged);
    const std::vector<Look> shown = LooksOf(text1);
    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
    ASSERT_TRUE(room.WaitForLines(++received, 5000));
    const std::vector<Look> roomLooks = RoomLooks(room.Lines().back());
    ASSERT_EQ(roomLooks.size(), std::wstring(L"a bold move").size());
    std::size_t r = 0;
    for (std::size_t i = 0; i < tagged.size(); ++i) {
        const bool markup = (i >= 2 && i <= 4) || (i >= 9 && i <= 12);
        EXPECT_EQ(shown[i], markup ? Look{kMarkupGrey} : roomLooks[r++]) << "character " << i;
    }
    EXPECT_TRUE(shown[5].bold && !shown[1].bold) << "the room shows bold where the user's <b> says";
}

// A keystroke formats what is in view at once and the rest of a long line in idle turns; Send right
// after the keystroke posts the very line it posts once the whole line has its look.
TEST(TextLinePreview, ALongLineTakesItsWholeLookInIdleTurnsAndSendDoesNotWaitForIt) {
    PracticeRoom room;
    LoadedForm f;
    HWND form = f.Hwnd();
    HWND text1 = f.Item(IDC_TEXT1);
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    for (int column = 1; column <= 4; ++column)
        SetColour(form, column, RGB(60 * column, 250 - 50 * column, 30 + 40 * column));
    Tick(f, IDC_CHECK1, true);
    Tick(f, IDC_CHECK2, true);
    std::wstring line;
    while (line.size() < 700)
        line += L"every word in its colour, ";
    const std::size_t inView = 20; // the caret's end of the line shows at least these

    auto typeLastKey = [&] {
        SetFocus(text1);
        SetWindowTextW(text1, line.c_str()); // set whole, as a paste of it
        SendMessageW(text1, EM_SETSEL, line.size(), line.size());
        TypeInto(text1, L"!");
    };
    typeLastKey();
    const std::vector<Look> atOnce = LooksOf(text1);
    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
    ASSERT_TRUE(room.WaitForLines(3, 5000));
    const std::string posted = room.Lines().back();
    const std::vector<Look> roomLooks = RoomLooks(posted);
    ASSERT_EQ(roomLooks.size(), line.size() + 1);
    ASSERT_EQ(atOnce.size(), line.size() + 1);
    for (std::size_t i = atOnce.size() - inView; i < atOnce.size(); ++i)
        EXPECT_EQ(atOnce[i], roomLooks[i]) << "character " << i << ", in view";
    EXPECT_NE(roomLooks[0].colour, roomLooks[line.size() / 2].colour) << "a fade";

    typeLastKey();
    std::vector<Look> settled;
    Eventually([&] { return (settled = LooksOf(text1)) == roomLooks; });
    ASSERT_EQ(settled.size(), roomLooks.size());
    const auto wrong = std::mismatch(settled.begin(), settled.end(), roomLooks.begin());
    EXPECT_TRUE(wrong.first == settled.end())
        << "character " << wrong.first - settled.begin() << " of " << settled.size() << " shows "
        << *wrong.first << ", the room " << *wrong.second;
    EXPECT_EQ(Text(text1), line + L"!");
    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
    ASSERT_TRUE(room.WaitForLines(4, 5000));
    EXPECT_EQ(room.Lines().back(), posted) << "the same line, formatted or not";
    EXPECT_EQ(Text(text1), L"");
}

TEST(TextLinePreview, LinesTheFaderRefusesOrSendWouldNotPostLookPlainWithoutABox) {
    LoadedForm f;
    HWND form = f.Hwnd();
    HWND text1 = f.Item(IDC_TEXT1);
    RedToBlue(form);
    const std::vector<Look> plain2(2, Look{}), plain8(8, Look{});

    Retype(text1, L"a"); // fewer characters than colours
    EXPECT_EQ(LooksOf(text1), std::vector<Look>(1, Look{}));
    TypeInto(text1, L"b");
    EXPECT_EQ(LooksOf(text1), (std::vector<Look>{Look{RGB(255, 0, 0)}, Look{RGB(128, 0, 128)}}));

    Tick(f, IDC_CHECK2, true); // colour 4 without colour 3: Send posts nothing
    EXPECT_EQ(LooksOf(text1), plain2);
    Tick(f, IDC_CHECK2, false);
    EXPECT_EQ(LooksOf(text1)[0], Look{RGB(255, 0, 0)});

    Tick(f, IDC_CHECK1, true);
    Tick(f, IDC_CHECK2, true);
    Tick(f, IDC_CHECK3, true);
    Retype(text1, L"hi there"); // two words for four colours
    EXPECT_EQ(LooksOf(text1), plain8);
    EXPECT_EQ(f.refusals, 0) << "the preview shows no message box";

    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
    EXPECT_EQ(f.refusalMessages, std::vector<std::u16string>{u"Error"}) << "Send still does";
}

// Ctrl+V and WM_PASTE take the plain text only; 40 000 characters fit, look plain and show no box,
// and Send then refuses them as before and posts them unfaded.
TEST(TextLinePreview, PasteTakesPlainTextAndALongPasteShowsNoBoxUntilSend) {
    PracticeRoom room;
    LoadedForm f;
    HWND form = f.Hwnd();
    HWND text1 = f.Item(IDC_TEXT1);
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    RedToBlue(form);

    const std::wstring plain = L"from elsewhere";
    const std::string rich = "{\\rtf1{\\colortbl;\\red0\\green255\\blue0;}\\cf1\\i\\ul\\fs40 RICH}";
    ASSERT_TRUE(OpenClipboard(form));
    EmptyClipboard();
    PutOnClipboard(CF_UNICODETEXT, plain.c_str(), (plain.size() + 1) * sizeof(wchar_t));
    PutOnClipboard(RegisterClipboardFormatW(L"Rich Text Format"), rich.c_str(), rich.size() + 1);
    CloseClipboard();

    Retype(text1, L"");
    HoldKey(VK_CONTROL, true);
    SendMessageW(text1, WM_KEYDOWN, 'V', 1);
    HoldKey(VK_CONTROL, false);
    EXPECT_EQ(Text(text1), plain);
    const std::vector<Look> looks = LooksOf(text1); // no italic or underline either
    EXPECT_EQ(looks.front(), Look{RGB(255, 0, 0)});
    CHARFORMAT2W size{};
    size.cbSize = sizeof size;
    SendMessageW(text1, EM_SETSEL, 0, -1);
    SendMessageW(text1, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&size));
    CHARFORMAT2W own{};
    own.cbSize = sizeof own;
    SendMessageW(text1, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&own));
    EXPECT_TRUE(size.dwMask & CFM_SIZE);
    EXPECT_EQ(size.yHeight, own.yHeight) << "the size of the line's own font";

    const std::wstring longLine(40000, L'x');
    ASSERT_TRUE(OpenClipboard(form));
    EmptyClipboard();
    PutOnClipboard(CF_UNICODETEXT, longLine.c_str(), (longLine.size() + 1) * sizeof(wchar_t));
    CloseClipboard();
    SendMessageW(text1, EM_SETSEL, 0, -1);
    SendMessageW(text1, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(text1), longLine);
    EXPECT_EQ(f.refusals, 0) << "no message box from the preview";
    CHARFORMAT2W all{};
    all.cbSize = sizeof all;
    SendMessageW(text1, EM_SETSEL, 0, -1);
    SendMessageW(text1, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&all));
    const DWORD same = CFM_COLOR | CFM_BOLD | CFM_FACE; // set in the mask: alike throughout
    EXPECT_EQ(all.dwMask & same, same);
    EXPECT_EQ(all.crTextColor, 0u);
    EXPECT_FALSE(all.dwEffects & CFE_BOLD);
    EXPECT_STREQ(all.szFaceName, L"Arial");

    SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
    EXPECT_EQ(f.refusalMessages, std::vector<std::u16string>{u"The text is too long to fade."});
    ASSERT_TRUE(room.WaitForLines(3, 10000));
    EXPECT_EQ(room.Lines()[2], "<font face=Arial>" + std::string(40000, 'x') + "</font>");
    EXPECT_EQ(Text(text1), L"");
}

// Formatting is no edit: the caret, a selection and the scroll position stay, undo and redo see
// only the typing, and an IME composition keeps its own look until it ends.
TEST(TextLinePreview, FormattingLeavesCaretSelectionScrollAndUndoAlone) {
    LoadedForm f;
    HWND form = f.Hwnd();
    HWND text1 = f.Item(IDC_TEXT1);
    RedToBlue(form);
    std::wstring line;
    for (int i = 0; i < 12; ++i)
        line += L"word" + std::to_wstring(i) + L" ";
    Retype(text1, line);
    SendMessageW(text1, EM_SETSEL, 40, 40);
    auto where = [&] {
        CHARRANGE selection{};
        SendMessageW(text1, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
        POINT scroll{};
        SendMessageW(text1, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
        return std::tuple(selection.cpMin, selection.cpMax, scroll.x, scroll.y);
    };
    const auto caret = where();
    ASSERT_GT(std::get<2>(caret), 0) << "the line is scrolled";
    const COLORREF before = LooksOf(text1)[10].colour;
    Drag(form, 4, 200); // the start of the line is out of view: it changes in idle turns
    EXPECT_TRUE(Eventually([&] { return LooksOf(text1)[10].colour != before; }));
    EXPECT_EQ(where(), caret);
    SendMessageW(text1, EM_SETSEL, 31, 45);
    const auto selected = where();
    Tick(f, IDC_CHECK4, true);
    EXPECT_TRUE(Eventually([&] { return LooksOf(text1)[0].bold; }));
    EXPECT_EQ(where(), selected);

    SetWindowTextW(text1, L"");
    TypeInto(text1, L"hello");
    Drag(form, 1, 10);
    SendMessageW(text1, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(text1), L"");
    SendMessageW(text1, EM_REDO, 0, 0);
    EXPECT_EQ(Text(text1), L"hello");
    EXPECT_EQ(LooksOf(text1)[0], (Look{RGB(10, 0, 0), true}));

    const std::vector<Look> looks = LooksOf(text1);
    SendMessageW(text1, WM_IME_STARTCOMPOSITION, 0, 0);
    Drag(form, 1, 250);
    EXPECT_EQ(LooksOf(text1), looks);
    SendMessageW(text1, WM_IME_ENDCOMPOSITION, 0, 0);
    EXPECT_EQ(LooksOf(text1)[0], (Look{RGB(250, 0, 0), true}));
}

// Right to left the character at the box's left edge comes after the one at its right edge. A
// Hebrew line and a mixed one, each wider than the box, with characters beyond U+FFFF: the box
// keeps working, and every character takes the look the room gives it.
TEST(TextLinePreview, RightToLeftAndMixedLinesWiderThanTheBoxTakeTheirLook) {
    PracticeRoom room;
    LoadedForm f;
    ASSERT_TRUE(room.WaitForLines(2, 5000));
    RedToBlue(f.Hwnd());
    HWND text1 = f.Item(IDC_TEXT1);
    const std::wstring hebrew = L"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD ";
    const std::wstring mixed = L"abc \u05D0\u05D1\u05D2 \U0001F600 \u0627\u0644 def ";
    std::size_t received = 2;
    for (const std::wstring& words : {hebrew, mixed}) {
        std::wstring line;
        while (line.size() < 300)
            line += words;
        Retype(text1, line);
        ASSERT_EQ(Text(text1), line);
        SendMessageW(f.Item(IDC_COMMAND1), BM_CLICK, 0, 0);
        ASSERT_TRUE(room.WaitForLines(++received, 5000));
        const std::vector<Look> roomLooks = RoomLooks(room.Lines().back(), true);
        ASSERT_EQ(roomLooks.size(), line.size());

        Retype(text1, line);
        std::vector<Look> shown;
        EXPECT_TRUE(Eventually([&] { return (shown = LooksOf(text1)) == roomLooks; }));
        EXPECT_TRUE(GetWindowLongW(text1, GWL_STYLE) & WS_VISIBLE) << "the box draws";
        EXPECT_EQ(SendMessageW(text1, EM_GETEVENTMASK, 0, 0), ENM_CHANGE) << "and tells";
    }
}

// Formatting that fails midway, here for a look naming a face the line does not have, leaves the
// box as it was: drawing, telling its parent of changes, and undoing the user's typing.
TEST(TextLinePreview, AFailureWhileFormattingLeavesTheBoxWorking) {
    ASSERT_TRUE(LoadLibraryW(L"msftedit.dll"));
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 60, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0,
                                0, 300, 30, parent, nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit);
    {
        Preview preview;
        preview.Attach(edit, 1000);
        SetFocus(edit);
        TypeInto(edit, L"abc");
        LineLook broken;
        broken.faces = {u"Arial"};
        broken.chars.assign(3, CharLook{0x0000FF, false, false, false, 7});
        EXPECT_THROW(preview.Show(u"abc", broken), std::out_of_range);
        EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & WS_VISIBLE) << "the box draws";
        EXPECT_EQ(SendMessageW(edit, EM_GETEVENTMASK, 0, 0), ENM_CHANGE) << "and tells";
        TypeInto(edit, L"d");
        SendMessageW(edit, EM_UNDO, 0, 0);
        EXPECT_TRUE(std::wstring(L"abc").starts_with(Text(edit))) << "typing is undone again";

        const LineLook red{{u"Arial"}, std::vector<CharLook>(2, CharLook{0x0000FF})};
        SetWindowTextW(edit, L"de");
        preview.Show(u"de", red);
        EXPECT_EQ(LooksOf(edit), std::vector<Look>(2, Look{RGB(255, 0, 0)})) << "it still works";
    }
    DestroyWindow(parent);
}

// The arrow keys and a click never leave the caret inside a letter with its accent, an emoji
// with its skin tone or a flag, whatever steps the rich edit itself takes.
TEST(TextLinePreview, TheCaretStopsOnlyBetweenWholeCharacters) {
    LoadedForm f;
    HWND text1 = f.Item(IDC_TEXT1);
    SetWindowTextW(text1, L"e\u0301\U0001F44D\U0001F3FD\U0001F1EF\U0001F1F5x");
    Pump(50);
    SetFocus(text1);
    auto caret = [text1] {
        CHARRANGE range{};
        SendMessageW(text1, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range.cpMin;
    };
    CHARRANGE start{0, 0};
    SendMessageW(text1, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
    std::vector<LONG> forward, backward;
    for (int i = 0; i < 5; ++i) {
        SendMessageW(text1, WM_KEYDOWN, VK_RIGHT, 0);
        forward.push_back(caret());
    }
    for (int i = 0; i < 5; ++i) {
        SendMessageW(text1, WM_KEYDOWN, VK_LEFT, 0);
        backward.push_back(caret());
    }
    EXPECT_EQ(forward, (std::vector<LONG>{2, 6, 10, 11, 11}));
    EXPECT_EQ(backward, (std::vector<LONG>{10, 6, 2, 0, 0}));
}
