// Thousands of random user actions on the real calculator, from a seed that
// is printed so a failure can be replayed (CORVALIN_MONKEY_SEED, and
// CORVALIN_MONKEY_ACTIONS for the count: 3000 by default, which keeps
// `make test` short; `make monkey` runs 10000). After every action the window must
// be consistent; at the end its object counts and memory must not have grown.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "calc/finished_sizes.h"
#include "bench/unix_process_win.h"
#include "calculator_driver_win.h"
#include "ui/ids.h"

namespace {

struct Usage {
    DWORD userObjects;
    DWORD gdiObjects;
    DWORD windows;
    SIZE_T privateKb;
};

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM lParam) {
    auto* count = reinterpret_cast<std::pair<DWORD, DWORD>*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == count->first) ++count->second;
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND hwnd, LPARAM lParam) {
    CountWindow(hwnd, lParam);
    EnumChildWindows(hwnd, CountWindow, lParam);
    return TRUE;
}

// The windows of a process: top-level ones and all their children.
DWORD CountWindows(DWORD processId) {
    std::pair<DWORD, DWORD> count = {processId, 0};
    EnumWindows(CountWindowAndChildren, reinterpret_cast<LPARAM>(&count));
    return count.second;
}

// Wine reports no memory figures for another process; under Wine the Unix
// side has them.
SIZE_T PrivateKb(HANDLE process) {
    const UnixProcessFigures unix = ReadUnixProcess(L"CorvalinCalc.exe");
    if (unix.found) return unix.privateKb;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    return memory.PrivateUsage / 1024;
}

Usage UsageOf(HANDLE process, DWORD processId) {
    return {GetGuiResources(process, GR_USEROBJECTS), GetGuiResources(process, GR_GDIOBJECTS),
            CountWindows(processId), PrivateKb(process)};
}

unsigned EnvironmentNumber(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

// Why the window is inconsistent, or empty when it is not. Reading every
// list entry takes a round trip each, so it is done when `everyEntry`, and
// otherwise the count and the ends stand for the whole list.
std::string Inconsistency(const RunningCalculator& calc, bool everyEntry) {
    const int options[] = {IDC_BAR_STANDARD, IDC_BAR_PRO, IDC_BAR_PRENOTCHED};
    const BarType bars[] = {BarType::Standard125, BarType::Pro175, BarType::PreNotched};
    int checked = -1;
    for (int i = 0; i < 3; ++i) {
        if (SendMessageW(calc.control(options[i]), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            if (checked >= 0) return "two options checked";
            checked = i;
        }
    }
    if (checked < 0) return "no option checked";
    const std::vector<Text> sizes = FinishedSizeEntries(bars[checked]);
    for (int list : {IDC_WIDTH_LIST, IDC_LENGTH_LIST}) {
        HWND control = calc.control(list);
        if (everyEntry) {
            if (ListEntries(control) != Wide(sizes)) return "a list does not hold the bar's sizes";
            continue;
        }
        wchar_t first[16] = L"", last[16] = L"";
        const LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
        SendMessageW(control, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(last));
        if (count != static_cast<LRESULT>(sizes.size()) || Wide(sizes.front()) != first || Wide(sizes.back()) != last) {
            return "a list does not hold the bar's sizes";
        }
    }
    const std::wstring width = SelectedEntry(calc.control(IDC_WIDTH_LIST));
    const std::wstring length = SelectedEntry(calc.control(IDC_LENGTH_LIST));
    if (width == L"<none>" || length == L"<none>") return "a list has no selection";
    const WrapResults expected =
        CalculateWrap(bars[checked], Text(width.begin(), width.end()), Text(length.begin(), length.end()));
    if (ResultLabels(calc.window()) != ExpectedLabels(expected)) return "the labels do not match the selection";
    return std::string();
}

TEST(Monkey, RandomActionsKeepTheWindowConsistentAndUseNoMoreObjects) {
    const unsigned seed = EnvironmentNumber("CORVALIN_MONKEY_SEED", 20261207);
    const unsigned actions = EnvironmentNumber("CORVALIN_MONKEY_ACTIONS", 3000);
    std::printf("monkey: seed %u, %u actions\n", seed, actions);
    std::mt19937 random(seed);
    auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };

    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, calc.processId());
    HWND other = CreateWindowExW(0, L"STATIC", L"Another application", WS_POPUP | WS_CAPTION | WS_VISIBLE, 700, 100,
                                 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const int options[] = {IDC_BAR_STANDARD, IDC_BAR_PRO, IDC_BAR_PRENOTCHED};
    const int lists[] = {IDC_WIDTH_LIST, IDC_LENGTH_LIST};
    const WPARAM keys[] = {VK_TAB, VK_ESCAPE, VK_RETURN};
    Usage early = {};
    for (unsigned n = 1; n <= actions; ++n) {
        const unsigned kind = pick(100);
        std::string action;
        if (kind < 25) {
            const int option = options[pick(3)];
            action = "click option " + std::to_string(option);
            calc.Click(option);
        } else if (kind < 50) {
            const int list = lists[pick(2)];
            const LRESULT count = SendMessageW(calc.control(list), CB_GETCOUNT, 0, 0);
            const WPARAM index = pick(static_cast<unsigned>(count));
            action = "choose entry " + std::to_string(index) + " of list " + std::to_string(list);
            SendMessageW(calc.control(list), CB_SETCURSEL, index, 0);
            SendMessageW(calc.window(), WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(calc.control(list)));
        } else if (kind < 70) {
            const int list = lists[pick(2)];
            const wchar_t digit = static_cast<wchar_t>(L'1' + pick(9));
            action = "type " + std::string(1, static_cast<char>(digit)) + " in list " + std::to_string(list);
            PostMessageW(calc.control(list), WM_CHAR, digit, 1);
        } else if (kind < 90) {
            const WPARAM key = keys[pick(3)];
            action = "press key " + std::to_string(key);
            calc.PressKey(key);
        } else if (kind < 96) {
            action = "activate another window and come back";
            SetForegroundWindow(other);
            SetForegroundWindow(calc.window());
        } else if (kind < 99) {
            action = "open About and dismiss it";
            calc.Command(IDM_ABOUT);
            HWND about = calc.WaitForWindow(L"#32770", kCaption, calc.window());
            ASSERT_NE(about, nullptr) << "action " << n;
            SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "action " << n;
        } else {
            action = "open Contents";
            calc.Command(IDM_CONTENTS);
            ASSERT_NE(calc.WaitForWindow(L"HH Parent", L"Corvalin Calculator Help"), nullptr) << "action " << n;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        std::string why;
        const bool everyEntry = n % 10 == 0;
        const bool consistent = WaitUntil([&] { return (why = Inconsistency(calc, everyEntry)).empty(); }, 3000);
        ASSERT_TRUE(consistent) << "after action " << n << " (" << action << "), seed " << seed << ": " << why;
        if (n == std::min(100u, actions)) early = UsageOf(process, calc.processId());
    }
    const Usage late = UsageOf(process, calc.processId());
    std::printf("monkey: after 100 actions: %lu USER and %lu GDI objects, %lu windows, %lu KB private; "
                "after %u: %lu, %lu, %lu, %lu KB\n",
                early.userObjects, early.gdiObjects, early.windows, static_cast<unsigned long>(early.privateKb), actions,
                late.userObjects, late.gdiObjects, late.windows, static_cast<unsigned long>(late.privateKb));
    EXPECT_LE(late.userObjects, early.userObjects);
    EXPECT_LE(late.gdiObjects, early.gdiObjects);
    EXPECT_LE(late.windows, early.windows);
    EXPECT_GT(late.windows, 27u);
    // Heap pages may settle a little; a leak per action would not.
    EXPECT_LE(late.privateKb, early.privateKb + 512);

    DestroyWindow(other);
    CloseHandle(process);
    calc.Command(IDM_EXIT);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

}  // namespace
