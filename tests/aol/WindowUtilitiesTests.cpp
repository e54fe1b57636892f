// StayOnTop and FormDrag on real windows; the drag uses real pointer input from the X server.
#include "Korvelix6o.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

using namespace Korvelix6o;

namespace {

int dragsEnded = 0;

LRESULT CALLBACK DragAreaProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) {
        FormDrag(w);
        ++dragsEnded;
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

class Popup {
  public:
    Popup(int x, int y, int width, int height) {
        static const ATOM kClass = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = DragAreaProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
            wc.lpszClassName = L"Quillon Drag Test";
            return RegisterClassExW(&wc);
        }();
        window_ = CreateWindowExW(0, MAKEINTATOM(kClass), L"", WS_POPUP | WS_VISIBLE, x, y, width,
                                  height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~Popup() { DestroyWindow(window_); }
    Popup(const Popup&) = delete;
    Popup& operator=(const Popup&) = delete;
    operator HWND() const { return window_; }

  private:
    HWND window_ = nullptr;
};

RECT RectOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

void RunEventsFor(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
}

bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower)
            return true;
    return false;
}

TEST(StayOnTop, KeepsPlaceAndStaysAboveAWindowActivatedLater) {
    Popup form(100, 100, 200, 100);
    const RECT before = RectOf(form);
    StayOnTop(form);
    EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const RECT after = RectOf(form);
    EXPECT_TRUE(EqualRect(&before, &after));

    Popup other(150, 120, 200, 100);
    SetForegroundWindow(other);
    BringWindowToTop(other);
    RunEventsFor(std::chrono::milliseconds(200));
    EXPECT_EQ(GetForegroundWindow(), static_cast<HWND>(other));
    EXPECT_FALSE(GetWindowLongPtrW(other, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsAbove(form, other));
    EXPECT_EQ(WindowFromPoint(POINT{200, 150}), static_cast<HWND>(form));
}

// Real pointer input: xdotool, a Linux program, talks to the same X server as Wine.
class FormDragTest : public testing::Test {
  protected:
    void SetUp() override {
        if (GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "xdotool is not installed";
        dragsEnded = 0;
    }

    // Runs the pointer script and lets events run until the drag has ended. Escape ends a move
    // loop that the script left running, so a failure cannot hang the run.
    void Pointer(const std::string& script) {
        SetTimer(form_, 1, 8000, [](HWND w, UINT, UINT_PTR id, DWORD) {
            KillTimer(w, id);
            PostMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        std::wstring commandLine =
            L"/usr/bin/xdotool " + std::wstring(script.begin(), script.end());
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &info));
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (dragsEnded == 0 && std::chrono::steady_clock::now() < end)
            RunEventsFor(std::chrono::milliseconds(20));
        RunEventsFor(std::chrono::milliseconds(200));
        KillTimer(form_, 1);
        ASSERT_EQ(dragsEnded, 1) << "the drag did not start or did not end";
    }

    Popup form_{200, 100, 200, 100};
};

TEST_F(FormDragTest, LeftButtonDragMovesByTheMouseDistance) {
    Pointer("mousemove 250 150 sleep 0.3 mousedown 1 sleep 0.2 mousemove 270 160 sleep 0.1 "
            "mousemove 300 190 sleep 0.2 mouseup 1");
    const RECT r = RectOf(form_);
    EXPECT_EQ(r.left, 250);
    EXPECT_EQ(r.top, 140);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);
}

// The platform's move loop ends on a left button release or Return, not on the right button's
// release: until then the window keeps following the mouse.
TEST_F(FormDragTest, RightButtonDragsToo) {
    Pointer("mousemove 250 150 sleep 0.3 mousedown 3 sleep 0.2 mousemove 240 150 sleep 0.1 "
            "mousemove 220 130 sleep 0.2 mouseup 3 sleep 0.2 key Return");
    const RECT r = RectOf(form_);
    EXPECT_EQ(r.left, 170);
    EXPECT_EQ(r.top, 80);
}

TEST_F(FormDragTest, PressAndReleaseWithoutMovingLeavesTheWindow) {
    const RECT before = RectOf(form_);
    Pointer("mousemove 250 150 sleep 0.3 mousedown 1 sleep 0.3 mouseup 1");
    const RECT after = RectOf(form_);
    EXPECT_TRUE(EqualRect(&before, &after));
}

} // namespace
