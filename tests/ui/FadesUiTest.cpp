// The fades menu as it is made, and the balloon notice, in-process.
#include "form1/FadeMenu.h"
#include "resource.h"
#include "window/Notice.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <variant>

using namespace quillon;

namespace {

fades::FadeBook Book(std::string_view json) {
    auto parsed = fades::FadeBook::Parse(json);
    EXPECT_TRUE(std::holds_alternative<fades::FadeBook>(parsed));
    return std::get<fades::FadeBook>(parsed);
}

std::wstring Label(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

UINT State(HMENU menu, int position) {
    return GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

bool Grey(HMENU menu, int position) {
    return (State(menu, position) & MF_GRAYED) != 0;
}

TEST(FadeMenu, GalleryInOrderThenTheSavedFadesThenTheCommands) {
    const fades::FadeBook book = Book(R"({ "start": "mine", "fades": [
        { "name": "Tom & Jerry", "colours": ["#000000", "#FFFFFF"], "style": "plain", "font": "Arial" },
        { "name": "mine", "colours": ["#0A141E", "#28323C"], "style": "all-bold", "font": "Arial" }
    ] })");
    FadeMenu fadeMenu;
    HMENU menu = fadeMenu.Make(book, u"mine", true, true);
    const std::vector<std::wstring> gallery{L"Sunset", L"Ocean",   L"Forest", L"Fire", L"Ice",
                                            L"Neon",   L"Rainbow", L"Gold",   L"Grape"};
    ASSERT_EQ(GetMenuItemCount(menu), 18);
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(Label(menu, k), gallery[static_cast<std::size_t>(k)]);
        const auto command = fadeMenu.Command(static_cast<int>(GetMenuItemID(menu, k)));
        ASSERT_TRUE(command);
        EXPECT_EQ(command->kind, FadeCommand::Kind::Choose);
        EXPECT_EQ(std::wstring(command->name.begin(), command->name.end()),
                  gallery[static_cast<std::size_t>(k)]);
    }
    EXPECT_TRUE(State(menu, 9) & MF_SEPARATOR);
    EXPECT_EQ(Label(menu, 10), L"Tom && Jerry") << "an ampersand is shown, not a mnemonic";
    EXPECT_EQ(fadeMenu.Command(static_cast<int>(GetMenuItemID(menu, 10)))->name, u"Tom & Jerry");
    EXPECT_EQ(Label(menu, 11), L"mine");
    EXPECT_TRUE(State(menu, 11) & MF_CHECKED) << "the start fade is ticked";
    EXPECT_FALSE(State(menu, 10) & MF_CHECKED);
    EXPECT_TRUE(State(menu, 12) & MF_SEPARATOR);

    EXPECT_EQ(GetMenuItemID(menu, 13), static_cast<UINT>(IDM_SAVE_FADE)) << "as Ctrl+S";
    EXPECT_EQ(fadeMenu.Command(IDM_SAVE_FADE)->kind, FadeCommand::Kind::Save);
    HMENU deletions = GetSubMenu(menu, 14);
    ASSERT_NE(deletions, nullptr);
    EXPECT_FALSE(Grey(menu, 14));
    ASSERT_EQ(GetMenuItemCount(deletions), 2);
    const auto deletion = fadeMenu.Command(static_cast<int>(GetMenuItemID(deletions, 1)));
    ASSERT_TRUE(deletion);
    EXPECT_EQ(deletion->kind, FadeCommand::Kind::Delete);
    EXPECT_EQ(deletion->name, u"mine");

    EXPECT_TRUE(State(menu, 15) & MF_SEPARATOR);
    EXPECT_EQ(Label(menu, 16), L"S&tart with \u201Cmine\u201D");
    EXPECT_EQ(fadeMenu.Command(static_cast<int>(GetMenuItemID(menu, 16)))->kind,
              FadeCommand::Kind::StartWith);
    EXPECT_EQ(fadeMenu.Command(static_cast<int>(GetMenuItemID(menu, 17)))->kind,
              FadeCommand::Kind::StartFromDesign);
    EXPECT_FALSE(State(menu, 17) & MF_CHECKED);

    // Nothing saved, no start, check boxes that ask for no colours: only the gallery and the way
    // back to the design values can be used; the ids of the last menu mean nothing now.
    const int oldId = static_cast<int>(GetMenuItemID(menu, 17));
    DestroyMenu(menu);
    menu = fadeMenu.Make(fades::FadeBook(), std::nullopt, false, true);
    ASSERT_EQ(GetMenuItemCount(menu), 15);
    EXPECT_TRUE(State(menu, 9) & MF_SEPARATOR);
    EXPECT_TRUE(Grey(menu, 10)) << "nothing to save";
    EXPECT_TRUE(Grey(menu, 11)) << "nothing to delete";
    EXPECT_EQ(Label(menu, 13), L"S&tart with this fade\u2026");
    EXPECT_TRUE(Grey(menu, 13));
    EXPECT_FALSE(Grey(menu, 14));
    EXPECT_TRUE(State(menu, 14) & MF_CHECKED) << "the design values are the start";
    EXPECT_FALSE(fadeMenu.Command(oldId));
    DestroyMenu(menu);

    // No place for the file: choosing still works, nothing that writes does.
    menu = fadeMenu.Make(book, u"mine", true, false);
    EXPECT_FALSE(Grey(menu, 0));
    for (int position : {13, 14, 16, 17})
        EXPECT_TRUE(Grey(menu, position)) << position;
    DestroyMenu(menu);
}

std::wstring TipText(HWND tip, HWND owner) {
    wchar_t text[512] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = owner;
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return text;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(Notice, PointsAtItsAnchorInsideTheWorkAreaAndHides) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    HWND owner = CreateWindowExW(WS_EX_TOPMOST, L"Static", L"", WS_POPUP | WS_VISIBLE, 100, 100,
                                 400, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND anchor = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 20, 150, 200, 20, owner,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    Notice notice;
    notice.Attach(owner);
    ASSERT_NE(notice.Tooltip(), nullptr);
    EXPECT_FALSE(notice.Visible());

    notice.Show(anchor, L"First news");
    notice.Show(anchor, L"The file could not be read.");
    EXPECT_TRUE(notice.Visible());
    EXPECT_EQ(TipText(notice.Tooltip(), owner), L"The file could not be read.")
        << "the tooltip's own text, the last one shown";
    RECT balloon{}, at{};
    GetWindowRect(notice.Tooltip(), &balloon);
    GetWindowRect(anchor, &at);
    EXPECT_GE(balloon.top, at.bottom) << "below the anchor";
    EXPECT_GT(balloon.left, at.left);
    EXPECT_LT(balloon.left, at.right);

    // An anchor in the work area's bottom-right corner: the balloon goes above it, and a long
    // text wraps rather than leave the screen.
    SetWindowPos(owner, nullptr, work.right - 300, work.bottom - 200, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    const std::wstring longText(60, L'x');
    notice.Show(anchor, longText + L" " + longText + L" " + longText + L" " + longText);
    EXPECT_TRUE(notice.Visible());
    GetWindowRect(notice.Tooltip(), &balloon);
    GetWindowRect(anchor, &at);
    EXPECT_TRUE(Inside(balloon, work))
        << balloon.left << "," << balloon.top << " " << balloon.right << "," << balloon.bottom;
    EXPECT_LE(balloon.bottom, at.top) << "above the anchor";
    EXPECT_GT(balloon.bottom - balloon.top, 40) << "wrapped onto several lines";

    notice.Hide();
    EXPECT_FALSE(notice.Visible());
    DestroyWindow(owner);
}

} // namespace
