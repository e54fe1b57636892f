#include "FakeClient.h"

#include <future>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace {

constexpr UINT_PTR kEmptyTimer = 1;
constexpr UINT kEmptyDelayMs = 30;
WNDPROC editProc = nullptr;

LRESULT CALLBACK TriggerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
        SetWindowLongPtrW(w, GWLP_USERDATA, GetWindowLongPtrW(w, GWLP_USERDATA) + 1);
        reinterpret_cast<void (*)()>(lp)();
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

// Set once the input emptied on Enter: the user types right after the next look at it.
bool typeOnNextLook = false;

LRESULT CALLBACK InputProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETTEXTLENGTH:
        if (typeOnNextLook) {
            typeOnNextLook = false;
            const LRESULT length = CallWindowProcW(editProc, w, msg, wp, lp);
            CallWindowProcW(editProc, w, WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(Inputs().typedAfterEnter.c_str()));
            return length;
        }
        break;
    case WM_CLEAR:
        Inputs().Cleared();
        break;
    case WM_SETTEXT:
        if (Inputs().setTextBusyMs)
            Sleep(Inputs().setTextBusyMs);
        if (Inputs().refuseSetText)
            return FALSE;
        break;
    case WM_CHAR:
        if (wp != '\r')
            break;
        if (Inputs().enterBusyMs)
            Sleep(Inputs().enterBusyMs);
        {
            std::wstring line(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
            line.resize(static_cast<std::size_t>(GetWindowTextW(w, line.data(), line.size())));
            Inputs().Took(line, w);
        }
        if (Inputs().closeOnEnter) {
            DestroyWindow(GetAncestor(w, GA_ROOT));
            return 0;
        }
        if (Inputs().emptying == Emptying::AtOnce) {
            SetWindowTextW(w, L"");
            typeOnNextLook = !Inputs().typedAfterEnter.empty();
        }
        else if (Inputs().emptying == Emptying::Later)
            SetTimer(w, kEmptyTimer, kEmptyDelayMs, nullptr);
        return 0;
    case WM_TIMER:
        if (wp != kEmptyTimer)
            break;
        KillTimer(w, kEmptyTimer);
        SetWindowTextW(w, L"");
        return 0;
    }
    return CallWindowProcW(editProc, w, msg, wp, lp);
}

void RegisterClasses() {
    static bool done = false;
    if (done)
        return;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    for (const wchar_t* name :
         {L"AOL Frame25", L"AOL Child", L"_AOL_Listbox", L"_AOL_Icon", L"_AOL_Static"}) {
        wc.lpszClassName = name;
        RegisterClassExW(&wc);
    }
    wc.lpfnWndProc = TriggerProc;
    wc.lpszClassName = L"Quillon Test Trigger";
    RegisterClassExW(&wc);
    WNDCLASSEXW edit{};
    edit.cbSize = sizeof edit;
    GetClassInfoExW(nullptr, L"EDIT", &edit);
    editProc = edit.lpfnWndProc;
    edit.lpfnWndProc = InputProc;
    edit.hInstance = instance;
    edit.lpszClassName = L"RICHCNTL";
    RegisterClassExW(&edit);
    done = true;
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text = L"") {
    HWND w = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!w)
        throw std::runtime_error("fake client: could not create a window");
    // Without this the order among siblings depends on the platform's placement of new windows.
    SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return w;
}

} // namespace

InputRecord& Inputs() {
    static InputRecord record;
    return record;
}

FakeClient::FakeClient() {
    RegisterClasses();
    Inputs().Reset();
    frame_ = CreateWindowExW(0, L"AOL Frame25", L"Practice", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    CLIENTCREATESTRUCT mdi{};
    area_ = CreateWindowExW(0, L"MDIClient", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 640, 480, frame_,
                            nullptr, GetModuleHandleW(nullptr), &mdi);
    if (!frame_ || !area_)
        throw std::runtime_error("fake client: no frame");
}

FakeClient::~FakeClient() {
    DestroyWindow(frame_);
}

HWND FakeClient::AddInner(const std::wstring& caption,
                          const std::vector<const wchar_t*>& childClasses) {
    const HWND inner = Child(area_, L"AOL Child", caption.c_str());
    for (const wchar_t* className : childClasses)
        Child(inner, className);
    return inner;
}

HWND FakeClient::AddRoom(const std::wstring& caption) {
    return AddInner(caption,
                    {L"RICHCNTL", L"RICHCNTL", L"_AOL_Listbox", L"_AOL_Icon", L"_AOL_Static"});
}

HWND Transcript(HWND room) {
    return FindWindowExW(room, nullptr, L"RICHCNTL", nullptr);
}

HWND Input(HWND room) {
    return FindWindowExW(room, Transcript(room), L"RICHCNTL", nullptr);
}

Trigger::Trigger(void (*action)()) {
    RegisterClasses();
    window_ = CreateWindowExW(0, L"Quillon Test Trigger", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    action_ = action;
}

Trigger::~Trigger() {
    DestroyWindow(window_);
}

void Trigger::Post() const {
    PostMessageW(window_, WM_APP, 0, reinterpret_cast<LPARAM>(action_));
}

int Trigger::runs() const {
    return static_cast<int>(GetWindowLongPtrW(window_, GWLP_USERDATA));
}

std::vector<std::wstring> InputRecord::Lines() const {
    const std::lock_guard guard(lock_);
    return lines_;
}

std::vector<HWND> InputRecord::Takers() const {
    const std::lock_guard guard(lock_);
    return takers_;
}

int InputRecord::Clears() const {
    const std::lock_guard guard(lock_);
    return clears_;
}

void InputRecord::Took(const std::wstring& line, HWND input) {
    const std::lock_guard guard(lock_);
    lines_.push_back(line);
    takers_.push_back(input);
}

void InputRecord::Cleared() {
    const std::lock_guard guard(lock_);
    ++clears_;
}

void InputRecord::Reset() {
    {
        const std::lock_guard guard(lock_);
        lines_.clear();
        takers_.clear();
        clears_ = 0;
    }
    emptying = Emptying::AtOnce;
    setTextBusyMs = 0;
    enterBusyMs = 0;
    closeOnEnter = false;
    refuseSetText = false;
    typedAfterEnter.clear();
}

namespace {
constexpr UINT kBusy = WM_APP + 1;      // thread message: the client thread sleeps for wParam ms
constexpr UINT kCloseRoom = WM_APP + 2; // thread message: the room window goes
} // namespace

ClientThread::ClientThread() {
    std::promise<std::pair<HWND, DWORD>> ready;
    auto started = ready.get_future();
    thread_ = std::thread([&ready] {
        FakeClient client;
        ready.set_value({client.AddRoom(), GetCurrentThreadId()});
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!msg.hwnd && msg.message == kBusy)
                Sleep(static_cast<DWORD>(msg.wParam));
            if (!msg.hwnd && msg.message == kCloseRoom)
                DestroyWindow(reinterpret_cast<HWND>(msg.lParam));
            DispatchMessageW(&msg);
        }
    });
    std::tie(room_, threadId_) = started.get();
}

ClientThread::~ClientThread() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

HWND ClientThread::input() const {
    return Input(room_);
}

void ClientThread::BusyFor(std::chrono::milliseconds time) const {
    PostThreadMessageW(threadId_, kBusy, static_cast<WPARAM>(time.count()), 0);
}

void ClientThread::CloseRoom() const {
    PostThreadMessageW(threadId_, kCloseRoom, 0, reinterpret_cast<LPARAM>(room_));
}
