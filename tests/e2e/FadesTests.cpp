// Fades, as a user meets them: the start fade from the file, the menu, Ctrl+S and a damaged file,
// each run in an %APPDATA% of its own.
#include "ControlIds.h"
#include "Expect.h"
#include "FadeBook.h"
#include "FadeDrive.h"
#include "Gallery.h"
#include "PostedProbe.h"
#include "PracticeRoom.h"
#include "QuillonApp.h"
#include "UnixTools.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

using namespace quillon;
namespace fs = std::filesystem;

namespace {

void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The text of the balloon's tool, which belongs to `owner`, as the tooltip itself holds it; empty
// when it has no such tool. TTM_GETTEXT carries pointers, so the tool and its buffer are made
// inside the program's own memory.
std::wstring TooltipText(HANDLE process, HWND tip, HWND owner) {
    constexpr std::size_t kChars = 2048;
    const std::size_t size = sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote)
        return L"(no memory in the program)";
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = owner;
    tool.uId = 1;
    tool.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof tool);
    WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
    SendMessageW(tip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote));
    std::wstring text(kChars, L'\0');
    ReadProcessMemory(process, remote + sizeof tool, text.data(), kChars * sizeof(wchar_t),
                      nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    text.resize(wcsnlen(text.c_str(), kChars));
    return text;
}

// Opens the fades menu with a real right-click on the face, between the title band and the
// swatches, and returns the menu's window.
HWND OpenMenuWithRightClick(const QuillonApp& app) {
    RECT form{};
    GetWindowRect(app.Form1(), &form);
    const int x = form.left + 67, y = form.top + 43;
    EXPECT_TRUE(
        Xdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" click 3"));
    return WaitForShown(L"#32768", ProcessOf(app));
}

void PressKey(HWND window, WPARAM key, LPARAM scanCode) {
    PostMessageW(window, WM_KEYDOWN, key, scanCode << 16 | 1);
    PostMessageW(window, WM_KEYUP, key, scanCode << 16 | 0xC0000001);
}

// Picks the item `position` (from 1, separators not counted) with the arrow keys and Enter; with
// `inSubmenu`, the first item of the submenu there.
void PickInMenu(HWND menu, int position, bool inSubmenu = false) {
    for (int k = 0; k < position; ++k)
        PressKey(menu, VK_DOWN, 0x50);
    if (inSubmenu)
        PressKey(menu, VK_RIGHT, 0x4D);
    PressKey(menu, VK_RETURN, 0x1C);
}

std::vector<COLORREF> Colours(std::initializer_list<std::uint32_t> rgb) {
    std::vector<COLORREF> colours;
    for (const std::uint32_t c : rgb)
        colours.push_back(RGB(c >> 16, c >> 8 & 0xFF, c & 0xFF));
    return colours;
}

// The swatches and their sliders show these colours, first column first.
void ExpectColours(const QuillonApp& app, const std::vector<COLORREF>& colours) {
    for (std::size_t k = 0; k < colours.size(); ++k) {
        const int column = static_cast<int>(k) + 1;
        EXPECT_EQ(app.Swatch(column), colours[k]) << "swatch " << column;
        EXPECT_EQ(app.Slider(3 * column - 2), GetRValue(colours[k])) << "column " << column;
        EXPECT_EQ(app.Slider(3 * column - 1), GetGValue(colours[k])) << "column " << column;
        EXPECT_EQ(app.Slider(3 * column), GetBValue(colours[k])) << "column " << column;
    }
}

void ExpectChecks(const QuillonApp& app, bool check1, bool check2, bool check3, bool check4) {
    EXPECT_EQ(app.Checked(IDC_CHECK1), check1);
    EXPECT_EQ(app.Checked(IDC_CHECK2), check2);
    EXPECT_EQ(app.Checked(IDC_CHECK3), check3);
    EXPECT_EQ(app.Checked(IDC_CHECK4), check4);
}

void ExpectDesignValues(const QuillonApp& app) {
    for (int column = 1; column <= 4; ++column)
        EXPECT_EQ(app.Swatch(column), 0u) << "swatch " << column;
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(app.Slider(n), 1) << "slider " << n;
    ExpectChecks(app, false, false, false, false);
    EXPECT_EQ(app.FontText(), L"Arial");
}

void ExpectAnnouncements(const PracticeRoom& room) {
    ASSERT_TRUE(room.WaitForLines(2, 10000));
    const auto lines = room.Lines();
    EXPECT_EQ(lines[0], Announcement(u"Quillon -=- by Korvelix"));
    EXPECT_EQ(lines[1], Announcement(u"Loaded by: [blue fox]"));
}

void CloseWithTheCloseMark(const QuillonApp& app) {
    app.ClickLabel(IDC_LABEL2);
    EXPECT_TRUE(app.WaitForExit(15000));
}

fades::FadeBook ParsedFile(const TempAppData& appData) {
    const auto bytes = ReadBytes(appData.File());
    if (!bytes)
        return {};
    auto parsed = fades::FadeBook::Parse(*bytes);
    EXPECT_TRUE(std::holds_alternative<fades::FadeBook>(parsed)) << *bytes;
    return std::holds_alternative<fades::FadeBook>(parsed) ? std::get<fades::FadeBook>(parsed)
                                                           : fades::FadeBook();
}

// Item positions in the menu, counted from 1 as the arrow keys reach them: the gallery, then
// the saved fades, then the commands.
constexpr int kOceanItem = 2;
constexpr int kFirstSavedItem = 10;
int DeleteItem(int savedCount) {
    return kFirstSavedItem + savedCount + 1; // after "Save this fade..."
}
int StartWithItem(int savedCount) {
    return kFirstSavedItem + savedCount + 2;
}

const std::vector<COLORREF> kOcean = Colours({0x0077B6, 0x00B4D8, 0x90E0EF});

TEST(Fades, StartFromTheFileOrTheDesignValuesAndWriteNothingUnasked) {
    PracticeRoom room({L"--name", L"Blue Fox"});
    {
        SCOPED_TRACE("no file: the design values; a built-in fade from the menu sets colours only");
        TempAppData appData;
        QuillonApp app(appData.Folder());
        ExpectAnnouncements(room);
        ExpectDesignValues(app);
        app.SetCheck(IDC_CHECK4, true);
        app.SetFont(L"Times New Roman");
        HWND menu = OpenMenuWithRightClick(app);
        ASSERT_NE(menu, nullptr) << "a right-click on the face opens the menu";
        PickInMenu(menu, kOceanItem);
        ASSERT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Swatch(1) != 0; }, 5000));
        ExpectColours(app, kOcean);
        ExpectChecks(app, true, false, false, true);
        EXPECT_EQ(app.FontText(), L"Times New Roman");

        const std::size_t before = room.Lines().size();
        app.SetText(L"sea");
        app.Press(IDC_COMMAND1);
        ASSERT_TRUE(room.WaitForLines(before + 1, 5000));
        const std::vector<WendrikFaderV2::Colour> ocean{0xB67700, 0xD8B400, 0xEFE090};
        EXPECT_EQ(room.Lines()[before],
                  "<b><font face=Times New Roman>" +
                      Ansi(WendrikFaderV2::FadeText(u"sea", ocean, false, true)) + "</font></b>")
            << "Send follows the chosen fade";
        EXPECT_NE(room.Lines()[before].find("#90E0EF"), std::string::npos);
        CloseWithTheCloseMark(app);
        EXPECT_FALSE(fs::exists(appData.Quillon())) << "nothing saved, nothing written";
    }
    {
        SCOPED_TRACE("a hand-written start fade: three colours, first-bold, Courier New");
        TempAppData appData;
        const std::string file = R"({
  "start": "mine",
  "window": { "kept": true },
  "fades": [
    { "name": "other", "colours": ["#FFFFFF", "#000000"], "style": "plain", "font": "Arial" },
    { "name": "mine", "colours": ["#0A141E", "#28323C", "#46505A"], "style": "first-bold",
      "font": "Courier New" }
  ]
}
)";
        WriteBytes(appData.File(), file);
        const std::size_t before = room.Lines().size();
        QuillonApp app(appData.Folder());
        ASSERT_TRUE(room.WaitForLines(before + 2, 10000));
        EXPECT_EQ(room.Lines()[before], Announcement(u"Quillon -=- by Korvelix"));
        EXPECT_EQ(room.Lines()[before + 1], Announcement(u"Loaded by: [blue fox]"));
        ExpectColours(app, Colours({0x0A141E, 0x28323C, 0x46505A}));
        ExpectChecks(app, true, false, true, false);
        EXPECT_EQ(app.FontText(), L"Courier New");
        EXPECT_EQ(ShownWindowOf(TOOLTIPS_CLASSW, ProcessOf(app)), nullptr) << "nothing to tell";
        CloseWithTheCloseMark(app);
        EXPECT_EQ(ReadBytes(appData.File()), file) << "read, never rewritten";
    }
    {
        SCOPED_TRACE("a built-in start fade");
        TempAppData appData;
        WriteBytes(appData.File(), R"({ "start": "Ocean" })");
        QuillonApp app(appData.Folder());
        ExpectColours(app, kOcean);
        ExpectChecks(app, true, false, false, false);
        EXPECT_EQ(app.FontText(), L"Arial");
    }
    {
        SCOPED_TRACE("a damaged file: the design values, a notice, the bytes kept aside");
        TempAppData appData;
        const std::string damaged = "{ \"start\": \"mine\", \"fades\": [ { \"name\": ";
        WriteBytes(appData.File(), damaged);
        QuillonApp app(appData.Folder());
        ExpectDesignValues(app);
        HWND tip = WaitForShown(TOOLTIPS_CLASSW, ProcessOf(app));
        ASSERT_NE(tip, nullptr) << "a balloon tells of the file";
        const std::wstring text = TooltipText(app.Process(), tip, app.Form1());
        EXPECT_NE(text.find(L"\\Quillon\\fades.json could not be read"), std::wstring::npos)
            << std::string(text.begin(), text.end());
        EXPECT_NE(text.find(L"fades.json.bad"), std::wstring::npos);
        RECT balloon{};
        GetWindowRect(tip, &balloon);
        const RECT line = app.ScreenRect(IDC_TEXT1);
        EXPECT_GE(balloon.top, line.bottom - 2) << "below the text line it points at";
        EXPECT_LT(balloon.left, line.right);
        EXPECT_GE(balloon.left, line.left);
        EXPECT_EQ(ReadBytes(appData.Quillon() / "fades.json.bad"), damaged);
        EXPECT_FALSE(fs::exists(appData.File()));

        SendMessageW(app.Control(IDC_TEXT1), WM_CHAR, L'x', 1);
        EXPECT_FALSE(IsWindowVisible(tip)) << "the user typing hides it";
    }
}

TEST(Fades, SavedWithCtrlSChosenFromTheMenuAndStartedWith) {
    PracticeRoom room;
    TempAppData appData;
    const auto mine = Colours({0xFF0000, 0x00FF00, 0x0000FF, 0x808080});
    const fades::Fade saved{u"Вечер",
                            {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {128, 128, 128}},
                            fades::Style::AllBold,
                            u"Times New Roman"};
    {
        SCOPED_TRACE("Ctrl+S asks for a name and writes the fade");
        QuillonApp app(appData.Folder());
        ASSERT_TRUE(room.WaitForLines(2, 10000));
        for (std::size_t k = 0; k < mine.size(); ++k)
            app.SetColour(static_cast<int>(k) + 1, mine[k]);
        app.SetCheck(IDC_CHECK1, true);
        app.SetCheck(IDC_CHECK2, true);
        app.SetCheck(IDC_CHECK4, true);
        app.SetFont(L"Times New Roman");
        ASSERT_TRUE(ClickIntoTextLine(app));
        ASSERT_TRUE(Xdotool(L"key ctrl+s"));
        HWND dialog = WaitForNameDialog(app);
        ASSERT_NE(dialog, nullptr);

        AnswerName(dialog, L"Ocean");
        HWND tip = WaitForShown(TOOLTIPS_CLASSW, ProcessOf(app));
        ASSERT_NE(tip, nullptr) << "a built-in name is refused in a balloon";
        EXPECT_NE(TooltipText(app.Process(), tip, dialog).find(L"built-in fade"),
                  std::wstring::npos);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays for another name";
        EXPECT_FALSE(fs::exists(appData.Quillon()));

        AnswerName(dialog, L"  Вечер ");
        ASSERT_TRUE(WaitUntilGone(dialog));
        for (int k = 0; k < 100 && !fs::exists(appData.File()); ++k)
            Settle(50);
        fades::FadeBook book = ParsedFile(appData);
        ASSERT_EQ(book.Saved().size(), 1u);
        EXPECT_EQ(book.Saved()[0], saved) << "trimmed, with all four colours, style and font";
        EXPECT_FALSE(book.Start().has_value()) << "saving is not starting with it";

        SCOPED_TRACE("saving under a taken name asks first");
        app.SetColour(4, RGB(1, 2, 3));
        ASSERT_TRUE(ClickIntoTextLine(app));
        ASSERT_TRUE(Xdotool(L"key ctrl+s"));
        dialog = WaitForNameDialog(app);
        ASSERT_NE(dialog, nullptr);
        AnswerName(dialog, L"Вечер");
        HWND question = WaitForQuestion(app);
        ASSERT_NE(question, nullptr);
        PostMessageW(GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
        dialog = WaitForNameDialog(app);
        ASSERT_NE(dialog, nullptr) << "No: back to the name";
        PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntilGone(dialog));
        EXPECT_EQ(ParsedFile(appData).Saved().at(0), saved) << "not replaced";
        CloseWithTheCloseMark(app);
    }
    {
        SCOPED_TRACE("after a restart the menu offers it; a built-in fade, then the saved one");
        const std::size_t before = room.Lines().size();
        QuillonApp app(appData.Folder());
        ASSERT_TRUE(room.WaitForLines(before + 2, 10000));
        ExpectDesignValues(app);
        HWND menu = OpenMenuWithRightClick(app);
        ASSERT_NE(menu, nullptr);
        PickInMenu(menu, kOceanItem);
        ASSERT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Swatch(1) != 0; }, 5000));
        ExpectColours(app, kOcean);
        ExpectChecks(app, true, false, false, false);

        ASSERT_TRUE(ClickIntoTextLine(app));
        ASSERT_TRUE(Xdotool(L"key shift+F10")) << "the keyboard opens the menu too";
        menu = WaitForShown(L"#32768", ProcessOf(app));
        ASSERT_NE(menu, nullptr);
        PickInMenu(menu, kFirstSavedItem);
        ASSERT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Checked(IDC_CHECK2); }, 5000));
        ExpectColours(app, mine);
        ExpectChecks(app, true, true, false, true);
        EXPECT_EQ(app.FontText(), L"Times New Roman");
        EXPECT_FALSE(ParsedFile(appData).Start().has_value());

        menu = OpenMenuWithRightClick(app);
        ASSERT_NE(menu, nullptr);
        PickInMenu(menu, StartWithItem(1));
        for (int k = 0; k < 100 && !ParsedFile(appData).Start(); ++k)
            Settle(50);
        EXPECT_EQ(ParsedFile(appData).Start(), std::optional<std::u16string>(u"Вечер"));
        CloseWithTheCloseMark(app);
    }
    {
        SCOPED_TRACE("and the next start begins with it");
        const std::size_t before = room.Lines().size();
        QuillonApp app(appData.Folder());
        ASSERT_TRUE(room.WaitForLines(before + 2, 10000));
        EXPECT_EQ(room.Lines()[before], Announcement(u"Quillon -=- by Korvelix"));
        ExpectColours(app, mine);
        ExpectChecks(app, true, true, false, true);
        EXPECT_EQ(app.FontText(), L"Times New Roman");

        SCOPED_TRACE("deleting it, once asked, takes the start with it");
        HWND menu = OpenMenuWithRightClick(app);
        ASSERT_NE(menu, nullptr);
        PickInMenu(menu, DeleteItem(1), true);
        HWND question = WaitForQuestion(app);
        ASSERT_NE(question, nullptr);
        PostMessageW(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
        for (int k = 0; k < 100 && !ParsedFile(appData).Saved().empty(); ++k)
            Settle(50);
        const fades::FadeBook book = ParsedFile(appData);
        EXPECT_TRUE(book.Saved().empty());
        EXPECT_FALSE(book.Start().has_value());
        ExpectColours(app, mine); // the window keeps its look
    }
}

// A shared file whose start fade has a font that would post a link: it is left out, and neither
// it nor a font typed with markup puts a tag into what Send posts.
TEST(Fades, AFontCarryingMarkupIsLeftOutAndNeverPosted) {
    PracticeRoom room;
    TempAppData appData;
    WriteBytes(appData.File(), R"({
  "start": "free",
  "fades": [
    { "name": "free", "colours": ["#FF0000", "#0000FF"], "style": "all-bold",
      "font": "Arial><a href=\"http://x.example/\">free stuff</a><font face=Arial" }
  ]
})");
    QuillonApp app(appData.Folder());
    ASSERT_TRUE(room.WaitForLines(2, 10000));
    ExpectDesignValues(app);
    HWND tip = WaitForShown(TOOLTIPS_CLASSW, ProcessOf(app));
    ASSERT_NE(tip, nullptr) << "a balloon tells of the entry";
    const std::wstring text = TooltipText(app.Process(), tip, app.Form1());
    EXPECT_NE(text.find(L"left out (entry 1: \"free\": its font is not a font name"),
              std::wstring::npos)
        << std::string(text.begin(), text.end());

    app.SetText(L"hi");
    app.Press(IDC_COMMAND1);
    ASSERT_TRUE(room.WaitForLines(3, 5000));
    const std::string fromFile = room.Lines()[2];
    EXPECT_EQ(fromFile.rfind("<font face=Arial>", 0), 0u) << fromFile;
    EXPECT_EQ(fromFile.find("<a "), std::string::npos) << fromFile;

    app.SetFont(L"Arial><a href=x>");
    app.SetText(L"hi");
    app.Press(IDC_COMMAND1);
    ASSERT_TRUE(room.WaitForLines(4, 5000));
    const std::string typed = room.Lines()[3];
    EXPECT_EQ(typed.find("<a"), std::string::npos) << typed;
    ASSERT_EQ(typed.rfind("<font face=", 0), 0u) << typed;
    const std::string face = typed.substr(11, typed.find('>') - 11);
    EXPECT_EQ(face, "Ariala hrefx") << "the tag's characters left out, the rest as typed";
    EXPECT_EQ(face.find('<'), std::string::npos);
}

// A fade named "Ocean" and U+200B, made the start fade: left out, and the menu shows one Ocean,
// the gallery's.
TEST(Fades, ANameThatPassesForAGalleryFadeIsLeftOut) {
    PracticeRoom room;
    TempAppData appData;
    WriteBytes(appData.File(), R"({ "start": "Ocean\u200B", "fades": [
    { "name": "Ocean\u200B", "colours": ["#FF0000", "#00FF00"], "style": "all-bold",
      "font": "Courier New" }
] })");
    QuillonApp app(appData.Folder());
    ASSERT_TRUE(room.WaitForLines(2, 10000));
    ExpectDesignValues(app);
    HWND tip = WaitForShown(TOOLTIPS_CLASSW, ProcessOf(app));
    ASSERT_NE(tip, nullptr);
    const std::wstring text = TooltipText(app.Process(), tip, app.Form1());
    EXPECT_NE(
        text.find(L"left out (entry 1: \"Ocean\u200B\" could pass for the built-in fade Ocean)"),
        std::wstring::npos)
        << std::string(text.begin(), text.end());

    // The menu's items cannot be read from another process under Wine, so the keyboard tells: the
    // first item after the gallery is "Save this fade...", so no saved fade is listed, and the
    // gallery's Ocean is where it always is.
    HWND menu = OpenMenuWithRightClick(app);
    ASSERT_NE(menu, nullptr);
    PickInMenu(menu, kFirstSavedItem);
    HWND dialog = WaitForNameDialog(app);
    ASSERT_NE(dialog, nullptr) << "no saved fade before \"Save this fade...\"";
    PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntilGone(dialog));
    menu = OpenMenuWithRightClick(app);
    ASSERT_NE(menu, nullptr);
    PickInMenu(menu, kOceanItem);
    ASSERT_TRUE(app.WaitUntil([](const QuillonApp& a) { return a.Swatch(1) != 0; }, 5000));
    ExpectColours(app, kOcean);
    ExpectChecks(app, true, false, false, false);
}

// Under Xvfb, with no window manager to acknowledge it, Wine waits two seconds for a dialog to be
// withdrawn as it hides (Windows does not). The dialog is destroyed after that, just before the
// name goes to be saved: from there on only the file's work could hold the window.
void WaitUntilDestroyed(HWND dialog) {
    for (int k = 0; k < 1500 && IsWindow(dialog); ++k)
        Settle(10);
    ASSERT_FALSE(IsWindow(dialog));
}

TEST(Fades, SavedWhileAnotherQuillonHoldsTheFileTheWindowAnswersAndTellsWhy) {
    PracticeRoom room;
    TempAppData appData;
    QuillonApp app(appData.Folder());
    ASSERT_TRUE(room.WaitForLines(2, 10000));
    app.SetColour(1, RGB(200, 10, 10));
    {
        SCOPED_TRACE("another Quillon holds fades.json.lock: a notice, never a frozen window");
        const HeldLock other(appData);
        ASSERT_TRUE(other.Held());
        ASSERT_TRUE(ClickIntoTextLine(app));
        ASSERT_TRUE(Xdotool(L"key ctrl+s"));
        HWND dialog = WaitForNameDialog(app);
        ASSERT_NE(dialog, nullptr);
        AnswerName(dialog, L"held");
        WaitUntilDestroyed(dialog);
        PostedProbe probe(app.Control(IDC_COMBO1));
        // A second save meanwhile (the command Ctrl+S gives) is refused, with no second dialog.
        PostMessageW(app.Form1(), WM_COMMAND, IDM_SAVE_FADE, 0);
        ASSERT_TRUE(app.WaitUntil(
            [](const QuillonApp& a) {
                return a.NoticeText().find(L"still making your last change") != std::wstring::npos;
            },
            5000))
            << app.NoticeText();
        EXPECT_EQ(ShownWindowOf(L"#32770", ProcessOf(app)), nullptr);
        ASSERT_TRUE(app.WaitUntil(
            [](const QuillonApp& a) {
                return a.NoticeText().find(L"Another Quillon") != std::wstring::npos;
            },
            20000))
            << "the busy file is told of";
        EXPECT_NE(app.NoticeText().find(L"fades.json"), std::wstring::npos);
        EXPECT_GT(probe.Probes(), 10u);
        EXPECT_LE(probe.LongestMs(), kAnswerBoundMs);
        EXPECT_FALSE(fs::exists(appData.File())) << "nothing written past the lock";
    }
    SCOPED_TRACE("the lock let go, the same save goes through, though Quillon is closed at once");
    ASSERT_TRUE(ClickIntoTextLine(app));
    ASSERT_TRUE(Xdotool(L"key ctrl+s"));
    HWND dialog = WaitForNameDialog(app);
    ASSERT_NE(dialog, nullptr);
    AnswerName(dialog, L"held");
    WaitUntilDestroyed(dialog);
    CloseWithTheCloseMark(app);
    const fades::FadeBook book = ParsedFile(appData);
    ASSERT_EQ(book.Saved().size(), 1u);
    EXPECT_EQ(book.Saved()[0].name, u"held");
    EXPECT_EQ(book.Saved()[0].colours.at(0), (fades::Colour{200, 10, 10}));
}

} // namespace
