// Starts quillon.exe and drives it through its real controls, from another process.
#pragma once

#include <windows.h>

#include <string>

// The folder the program takes for %APPDATA%, where it keeps its fades.
struct AppDataFolder {
    std::wstring path;
};

class QuillonApp {
  public:
    // Starts the program, by default the one beside this executable, in its own folder (as
    // Explorer does) and waits (up to 30 s) until its main window is shown, which happens only
    // once the start-up lines were posted (or found no room).
    QuillonApp();
    explicit QuillonApp(const std::wstring& exePath);
    explicit QuillonApp(const AppDataFolder& appData);
    QuillonApp(const std::wstring& exePath, const AppDataFolder& appData);
    ~QuillonApp(); // ends the program if it is still running
    QuillonApp(const QuillonApp&) = delete;
    QuillonApp& operator=(const QuillonApp&) = delete;

    HWND Form1() const { return form1_; }
    HWND Form2() const; // the floating button window, or null
    HWND Control(int id) const { return GetDlgItem(form1_, id); }
    HANDLE Process() const { return process_; }
    RECT ScreenRect(int id) const; // a control's rectangle on the screen

    void SetText(const std::wstring& text) const;
    std::wstring Text() const;
    void SetFont(const std::wstring& face) const; // typed into the font box, not picked
    std::wstring FontText() const;
    void SetCheck(int id, bool on) const;
    bool Checked(int id) const;
    void SetSlider(int n, int value) const; // a thumb drag of HScroll<n> ending at value
    int Slider(int n) const;
    void SetColour(int column, COLORREF colour) const;
    COLORREF Swatch(int column) const;
    HWND Focus() const; // the control with the keyboard focus in the program
    HWND Dialog() const; // a dialog box of the program (a message box, the colour dialog), or null
    std::wstring DialogText() const;     // what an open message box says; empty when none is open
    void AnswerDialog(int button) const; // presses IDOK, IDYES, IDNO ... of the open dialog
    HWND Notice() const; // the balloon the program shows, if one is showing
    std::wstring NoticeText() const; // its text, as the tooltip gives it (to a screen reader)

    void Press(int buttonId) const;     // a click on Send or "m"; returns at once
    void ClickLabel(int labelId) const; // a left click on a transparent label
    bool WaitForExit(DWORD timeoutMs) const;
    bool WaitUntil(bool (*done)(const QuillonApp&), DWORD timeoutMs) const;

  private:
    void Start(const std::wstring& exePath, const std::wstring* appData);

    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND form1_ = nullptr;
};

// The top-level window of a class that a process owns, or null.
HWND WindowOfProcess(const wchar_t* className, DWORD processId);

// Lets a few moments pass for another process to react (messages of this thread keep flowing).
void Settle(DWORD ms);
