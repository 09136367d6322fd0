// Drives the real CorvalinCalc.exe from outside, as a user and a screen
// reader would: starts it, finds its windows, reads its controls and sends
// it input. Every wait has a deadline; a window that never comes fails.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "calc/wrap.h"

constexpr DWORD kDeadlineMs = 15000;
extern const wchar_t* const kCaption;

std::wstring ProgramPath(const wchar_t* name);

class RunningCalculator {
public:
    // Starts the program (by default the one beside this test) in a working
    // directory (by default its own folder) and waits for its main window.
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
    DWORD threadId() const { return process_.dwThreadId; }

    // A visible top-level window of this process with the class and title.
    HWND WaitForWindow(const wchar_t* className, const wchar_t* title, HWND other = nullptr) const;
    // The exit code, or STILL_ACTIVE when the process outlived the deadline.
    DWORD WaitForExit() const;
    HWND FocusedWindow() const;

    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void Command(int id) const { Post(WM_COMMAND, static_cast<WPARAM>(id)); }
    void Click(int id) const;
    // Selects an entry as the mouse would and tells the window.
    void Choose(int listId, const wchar_t* entry) const;
    // A key pressed and released on the control that has the focus.
    void PressKey(WPARAM key) const;

private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
    std::map<int, HWND> controls_;
};

// Polls until the condition holds or the deadline passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDeadlineMs);

std::wstring TextOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);
std::vector<std::wstring> ListEntries(HWND list);
// Where an entry first stands in a list, or CB_ERR.
LRESULT IndexOfEntry(HWND list, const std::wstring& entry);
std::wstring SelectedEntry(HWND list);
std::vector<std::wstring> Wide(const std::vector<Text>& texts);
std::wstring Wide(const Text& text);

// The sizes a bar offers, as the lists show them.
std::vector<std::wstring> OfferedSizes(BarType bar);
// The labels CalculateWrap gives for a bar and two size texts.
std::vector<std::wstring> Labels(BarType bar, const char* width, const char* length);
bool IsChecked(const RunningCalculator& calc, int id);

// The eight result labels, in the order of WrapResults.
std::vector<std::wstring> ResultLabels(const RunningCalculator& calc);
std::vector<std::wstring> ExpectedLabels(const WrapResults& results);
