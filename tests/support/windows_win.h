// What every Windows test needs to look at windows and wait for them: the
// readers of a window's text and class, the searches for a process's
// windows, waits with a deadline, and guards that undo a change to the
// process or the prefix when a scope ends, also when an assertion leaves it
// early (the Wine prefix outlives the run).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

constexpr DWORD kDeadlineMs = 15000;

// Polls until the condition holds or the deadline passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDeadlineMs);

// The window's text as the platform keeps it: no message goes to the
// window, so a busy one, in this process or another, cannot hold the
// reader up.
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
LONG Style(HWND hwnd);

// A file's bytes; empty when it cannot be read.
std::vector<char> FileBytes(const std::wstring& path);

// The direct children of a window, in the platform's order (creation order
// for the controls of a dialog).
std::vector<HWND> ChildWindows(HWND parent);
// The top-level windows of a process, shown or not, in the platform's order.
std::vector<HWND> TopLevelWindows(DWORD processId);
// A visible top-level window of the process, other than `other`, with the
// class and title (null matches any); null when there is none.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title, HWND other = nullptr);

// A drop-down list's entries, where an entry first stands (or CB_ERR), and
// the selected entry ("<none>" without a selection).
std::vector<std::wstring> ListEntries(HWND list);
LRESULT IndexOfEntry(HWND list, const std::wstring& entry);
std::wstring SelectedEntry(HWND list);

// Runs a clean-up when the scope ends.
class ScopeExit {
public:
    explicit ScopeExit(std::function<void()> cleanUp) : cleanUp_(std::move(cleanUp)) {}
    ~ScopeExit() { cleanUp_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    std::function<void()> cleanUp_;
};

// A registry value of the current user set for the scope: what was there
// before, or nothing, is put back when it ends, and a key that the set made
// goes again.
class ScopedRegistryValue {
public:
    ScopedRegistryValue(const std::wstring& key, const std::wstring& name, const std::wstring& text);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;
    bool set() const { return set_; }

private:
    std::wstring key_, name_;
    bool keyExisted_ = false;
    bool valueExisted_ = false;
    DWORD type_ = REG_NONE;
    std::vector<BYTE> data_;
    bool set_ = false;
};
