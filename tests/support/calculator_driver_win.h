// Drives the real CorvalinCalc.exe from outside, as a user and a screen
// reader would: starts it, finds its windows, reads its controls and sends
// it input. Every wait has a deadline; a window that never comes is null.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "calc/wrap.h"
#include "support/windows_win.h"

extern const wchar_t* const kCaption;

// A file beside the running program.
std::wstring ProgramPath(const wchar_t* name);

// Selects an entry of a list as the mouse would and tells the window; false
// when the list has no such entry.
bool ChooseEntry(HWND window, HWND list, const std::wstring& entry);
// The texts of the eight result labels, in the order of WrapResults, each
// control found by its identifier.
std::vector<std::wstring> ResultLabels(const std::function<HWND(int)>& control);

class RunningCalculator {
public:
    // Starts the program (by default the one beside this test) in a working
    // directory (by default its own folder) and waits for its first window,
    // which is the main window unless the program refused to start.
    explicit RunningCalculator(const std::wstring& arguments = L"", WORD showCommand = SW_SHOWNORMAL,
                               const std::wstring& program = ProgramPath(L"CorvalinCalc.exe"),
                               const std::wstring& workingDirectory = L"");
    ~RunningCalculator();
    RunningCalculator(const RunningCalculator&) = delete;
    RunningCalculator& operator=(const RunningCalculator&) = delete;

    HWND window() const { return window_; }
    // The main window's controls never change, so their handles are looked
    // up once: another process's GetDlgItem asks the server about every
    // child, which costs as much as a message.
    HWND control(int id) const;
    DWORD processId() const { return process_.dwProcessId; }

    HWND WaitForWindow(const wchar_t* className, const wchar_t* title, HWND other = nullptr) const;
    // The exit code, or STILL_ACTIVE when the process outlived the deadline.
    DWORD WaitForExit() const;
    HWND FocusedWindow() const;

    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Sent: it has been handled when the call returns.
    void Command(int id) const;
    void Click(int id) const;
    bool Choose(int listId, const wchar_t* entry) const { return ChooseEntry(window_, control(listId), entry); }
    // A key pressed and released on the control that has the focus.
    void PressKey(WPARAM key) const;

    std::vector<std::wstring> ResultLabels() const;
    bool IsChecked(int id) const;

private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
    std::map<int, HWND> controls_;
};

std::wstring Wide(const Text& text);
std::vector<std::wstring> Wide(const std::vector<Text>& texts);
// The labels the golden table gives for a bar and two offered sizes.
std::vector<std::wstring> ExpectedLabels(BarType bar, const Text& width, const Text& length);
