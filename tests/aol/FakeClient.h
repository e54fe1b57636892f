// A chat client's window tree built inside the test process, with an input that records lines.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// How the fake input answers a carriage return.
enum class Emptying { AtOnce, Later, Never };

// What the fake inputs of this process saw; reset by every FakeClient.
struct InputRecord {
    std::vector<std::wstring> lines;
    std::vector<HWND> takers; // the input that took each line
    int clears = 0;
    Emptying emptying = Emptying::AtOnce;
    DWORD setTextBusyMs = 0;   // how long every WM_SETTEXT takes
    DWORD enterBusyMs = 0;     // how long the Enter handling keeps the input's thread busy
    bool closeOnEnter = false; // the client goes away while handling Enter
};
InputRecord& Inputs();

class FakeClient {
  public:
    FakeClient(); // frame and MDI area, no inner windows yet
    ~FakeClient();
    FakeClient(const FakeClient&) = delete;
    FakeClient& operator=(const FakeClient&) = delete;

    // Inner windows stack up behind the earlier ones; the first added stays frontmost.
    HWND AddInner(const std::wstring& caption, const std::vector<const wchar_t*>& childClasses);
    HWND AddRoom(const std::wstring& caption = L"Town Square");
    HWND Area() const { return area_; }

  private:
    HWND frame_ = nullptr;
    HWND area_ = nullptr;
};

// A room's transcript and input: the first and second "RICHCNTL" children.
HWND Transcript(HWND room);
HWND Input(HWND room);

// A message-only window whose handler runs a callback, to post work into a wait.
class Trigger {
  public:
    explicit Trigger(void (*action)());
    ~Trigger();
    Trigger(const Trigger&) = delete;
    Trigger& operator=(const Trigger&) = delete;
    void Post() const; // the action runs when the thread's pending events next run
    int runs() const;

  private:
    HWND window_ = nullptr;
    void (*action_)() = nullptr;
};
