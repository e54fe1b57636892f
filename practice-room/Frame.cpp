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
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = s_WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kFrameClass;
    return RegisterClassExW(&wc) != 0;
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

LRESULT CALLBACK Frame::s_WndProc(HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Frame*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Frame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    HWND area = self ? self->mdiArea_ : nullptr;
    switch (message) {
    case WM_CREATE: {
        CLIENTCREATESTRUCT client{nullptr, kFirstChildId};
        self->mdiArea_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                         WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0,
                                         window, nullptr, GetModuleHandleW(nullptr), &client);
        return self->mdiArea_ ? 0 : -1;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        if (self) {
            self->window_ = nullptr;
            self->mdiArea_ = nullptr;
        }
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    }
    return DefFrameProcW(window, area, message, wParam, lParam);
}
