// A chat client's window tree built inside the test process, with an input that records lines.
#pragma once

#include <windows.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// How the fake input answers a carriage return.
enum class Emptying { AtOnce, Later, Never };

// What the fake inputs of this process saw; reset by every FakeClient.
// What the inputs record comes from the thread that serves them; the accessors can be read from
// any thread.
struct InputRecord {
    std::vector<std::wstring> Lines() const;
    std::vector<HWND> Takers() const; // the input that took each line
    int Clears() const;
    void Took(const std::wstring& line, HWND input);
    void Cleared();
    void Reset();

    Emptying emptying = Emptying::AtOnce;
    DWORD setTextBusyMs = 0;   // how long every WM_SETTEXT takes
    DWORD enterBusyMs = 0;     // how long the Enter handling keeps the input's thread busy
    bool closeOnEnter = false; // the client goes away while handling Enter
    bool refuseSetText = false;  // WM_SETTEXT answers FALSE, as an edit control out of room
    std::wstring typedAfterEnter; // the user types this once the input was seen empty

  private:
    mutable std::mutex lock_;
    std::vector<std::wstring> lines_;
    std::vector<HWND> takers_;
    int clears_ = 0;
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

// A client with one room whose windows are made and served by a thread of their own, as another
// program's are: sends to them take the bounded path across threads.
class ClientThread {
  public:
    ClientThread();
    ~ClientThread();
    ClientThread(const ClientThread&) = delete;
    ClientThread& operator=(const ClientThread&) = delete;
    HWND room() const { return room_; }
    HWND input() const;
    void BusyFor(std::chrono::milliseconds time) const; // the client's thread sleeps
    void CloseRoom() const;

  private:
    std::thread thread_;
    DWORD threadId_ = 0;
    HWND room_ = nullptr;
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
