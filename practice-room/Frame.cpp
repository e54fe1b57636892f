#include "Frame.h"

namespace {

constexpr wchar_t kFrameClass[] = L"AOL Frame25";
constexpr wchar_t kFrameCaption[] = L"Practice Room";
constexpr UINT kFirstChildId = 50000;

// Shows who is signed on; its caption is what a client reads the screen name from.
class WelcomeWindow : public MdiChild {
  public:
    explicit WelcomeWindow(const Look& look) : look_(look) {}

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE) {
            const RECT r = look_.Scaled(RECT{16, 16, 276, 96});
            HWND text = CreateWindowExW(
                0, L"STATIC", L"You are signed on.\r\n\r\nThe chat rooms are open.",
                WS_CHILD | WS_VISIBLE | SS_LEFT, r.left, r.top, r.right - r.left, r.bottom - r.top,
                window_, nullptr, GetModuleHandleW(nullptr), nullptr);
            SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(look_.text.get()), FALSE);
        }
        return MdiChild::HandleMessage(message, wParam, lParam);
    }

  private:
    const Look& look_;
};

} // namespace

Frame::Frame(const Options& options)
    : options_(options), rules_{options.name,        options.emptyDelayMs,    options.neverEmpty,
                                options.closeOnLine, options.busyMs,          options.faultFrom,
                                options.exitOnEnter, options.renderReferences},
      log_(options.logPath), look_(Look::Make()) {}

bool Frame::RegisterWindowClass(HINSTANCE instance) {
    return win32::RegisterWindowClass(
        instance, kFrameClass, win32::WindowProc<Frame>,
        {0, LoadIconW(nullptr, IDI_APPLICATION), reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1)});
}

std::unique_ptr<Frame> Frame::Create(const Options& options, int showCommand) {
    std::unique_ptr<Frame> frame(new Frame(options));
    const RECT r = frame->look_.Scaled(RECT{40, 40, 940, 640});
    CreateWindowExW(0, kFrameClass, kFrameCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.left,
                    r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                    GetModuleHandleW(nullptr), frame.get());
    if (!frame->window_ || !frame->mdiArea_ || !frame->Populate())
        return nullptr;
    ShowWindow(frame->window_, showCommand);
    UpdateWindow(frame->window_);
    return frame;
}

bool Frame::Populate() {
    // The welcome window first, so the rooms stand in front of it.
    if (options_.welcome) {
        auto welcome = std::make_unique<WelcomeWindow>(look_);
        if (!welcome->Create(mdiArea_, L"Welcome, " + options_.name + L"!",
                             look_.Scaled(RECT{8, 8, 330, 190})))
            return false;
        children_.push_back(std::move(welcome));
    }
    for (int n = 1; n <= options_.rooms; ++n) {
        const int offset = 24 * (n - 1);
        const RECT bounds =
            look_.Scaled(RECT{48 + offset, 40 + offset, 48 + offset + 800, 40 + offset + 480});
        auto room = std::make_unique<RoomWindow>(rules_, log_, look_, linesOffered_);
        if (!room->Create(mdiArea_, RoomCaption(options_.roomName, n), bounds))
            return false;
        children_.push_back(std::move(room));
    }
    return true;
}

LRESULT Frame::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        CLIENTCREATESTRUCT client{nullptr, kFirstChildId};
        mdiArea_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                   WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0, window_,
                                   nullptr, GetModuleHandleW(nullptr), &client);
        return mdiArea_ ? 0 : -1;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefFrameProcW(window_, mdiArea_, message, wParam, lParam);
}
