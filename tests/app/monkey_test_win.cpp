// Random user actions on the real calculator, from a seed that is printed
// so a failure can be replayed (CORVALIN_MONKEY_SEED). After every action
// the window must be consistent. `make test` runs a short drive
// (CORVALIN_MONKEY_ACTIONS, 1000 by default); `make monkey` runs a long one
// with CORVALIN_MONKEY_LEAKS set, which also holds the process's objects and
// memory to their early counts and reports those the platform does not give.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "support/golden_table.h"
#include "support/calculator_driver_win.h"
#include "support/unix_process_win.h"
#include "ui/ids.h"

namespace {

struct Usage {
    DWORD userObjects;  // 0 where the platform does not count them (Wine)
    DWORD gdiObjects;
    DWORD windows;
    SIZE_T privateKb;
};

// The windows of a process: its top-level ones and all their descendants.
DWORD CountWindows(DWORD processId) {
    std::vector<HWND> pending = TopLevelWindows(processId);
    DWORD count = 0;
    while (!pending.empty()) {
        const std::vector<HWND> children = ChildWindows(pending.back());
        pending.pop_back();
        ++count;
        pending.insert(pending.end(), children.begin(), children.end());
    }
    return count;
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

// No more objects late than early, where the platform counts them.
void ExpectNoMore(const char* what, DWORD early, DWORD late) {
    if (early == 0 && late == 0) {
        std::printf("monkey: %s are not counted by this platform\n", what);
    } else {
        EXPECT_LE(late, early) << what;
    }
}

unsigned EnvironmentNumber(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

// Why the window is inconsistent, or empty when it is not. Reading every
// list entry takes two round trips each, so it is done when `everyEntry`;
// otherwise the count and where the selected and one random size stand
// speak for a list.
std::string Inconsistency(const RunningCalculator& calc, unsigned sampleSeed, bool everyEntry) {
    const std::pair<int, BarType> options[] = {
        {IDC_BAR_STANDARD, BarType::Standard125}, {IDC_BAR_PRO, BarType::Pro175},
        {IDC_BAR_PRENOTCHED, BarType::PreNotched}};
    int checked = 0;
    BarType bar = BarType::Standard125;
    for (const auto& [option, optionBar] : options) {
        if (calc.IsChecked(option)) {
            ++checked;
            bar = optionBar;
        }
    }
    if (checked != 1) return "not exactly one option checked";
    const std::vector<std::wstring> sizes = Wide(GoldenSizes(bar));
    std::wstring selected[2];
    for (int i : {0, 1}) {
        HWND list = calc.control(i == 0 ? IDC_WIDTH_LIST : IDC_LENGTH_LIST);
        if (SendMessageW(list, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(sizes.size())) {
            return "a list does not hold as many sizes as the bar";
        }
        const LRESULT selection = SendMessageW(list, CB_GETCURSEL, 0, 0);
        if (selection < 0) return "a list has no selection";
        const size_t sample = (i == 0 ? sampleSeed : sampleSeed / 128) % sizes.size();
        selected[i] = sizes[static_cast<size_t>(selection)];
        // An entry's index is one round trip, where its text takes two.
        if (IndexOfEntry(list, selected[i]) != selection ||
            IndexOfEntry(list, sizes[sample]) != static_cast<LRESULT>(sample) ||
            (everyEntry && ListEntries(list) != sizes)) {
            return "a list does not hold the bar's sizes in order";
        }
    }
    if (calc.ResultLabels() != ExpectedLabels(bar, Text(selected[0].begin(), selected[0].end()),
                                              Text(selected[1].begin(), selected[1].end()))) {
        return "the labels do not match the selection";
    }
    return std::string();
}

enum Action { kClickOption, kChooseEntry, kTypeDigit, kPressKey, kSwitchApplication, kAbout, kContents, kActions };

// Each kind of action once first, so that what a kind creates only the first
// time (the help viewer above all) is there before the counts are first
// taken; then kinds by weight, from a roll of 0 to 99.
Action PickAction(unsigned n, unsigned roll) {
    if (n <= kActions) return static_cast<Action>(n - 1);
    const unsigned weights[kActions] = {25, 25, 20, 20, 6, 3, 1};
    unsigned kind = 0;
    while (roll >= weights[kind]) roll -= weights[kind++];
    return static_cast<Action>(kind);
}

// Does one action of the kind; returns what it did, for the failure report.
std::string Act(const RunningCalculator& calc, Action kind, const std::function<unsigned(unsigned)>& pick,
                HWND other) {
    const int options[] = {IDC_BAR_STANDARD, IDC_BAR_PRO, IDC_BAR_PRENOTCHED};
    const int lists[] = {IDC_WIDTH_LIST, IDC_LENGTH_LIST};
    const WPARAM keys[] = {VK_TAB, VK_ESCAPE, VK_RETURN};
    switch (kind) {
    case kClickOption: {
        const int option = options[pick(3)];
        calc.Click(option);
        return "click option " + std::to_string(option);
    }
    case kChooseEntry: {
        const int list = lists[pick(2)];
        const WPARAM index = pick(static_cast<unsigned>(SendMessageW(calc.control(list), CB_GETCOUNT, 0, 0)));
        SendMessageW(calc.control(list), CB_SETCURSEL, index, 0);
        SendMessageW(calc.window(), WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(calc.control(list)));
        return "choose entry " + std::to_string(index) + " of list " + std::to_string(list);
    }
    case kTypeDigit: {
        const int list = lists[pick(2)];
        const char digit = static_cast<char>('1' + pick(9));
        PostMessageW(calc.control(list), WM_CHAR, static_cast<WPARAM>(digit), 1);
        return std::string("type ") + digit + " in list " + std::to_string(list);
    }
    case kPressKey: {
        const WPARAM key = keys[pick(3)];
        calc.PressKey(key);
        return "press key " + std::to_string(key);
    }
    case kSwitchApplication:
        SetForegroundWindow(other);
        SetForegroundWindow(calc.window());
        return "activate another window and come back";
    case kAbout: {
        calc.Post(WM_COMMAND, IDM_ABOUT);
        HWND about = calc.WaitForWindow(L"#32770", kCaption, calc.window());
        // Read before it is dismissed, as a person would: painted.
        UpdateWindow(about);
        SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        const bool gone = about && WaitUntil([&] { return !IsWindow(about); });
        return gone ? "open About and dismiss it" : "open About: the box did not come and go";
    }
    default:
        calc.Command(IDM_CONTENTS);
        const bool shown = calc.WaitForWindow(L"HH Parent", L"Corvalin Calculator Help") != nullptr;
        return shown ? "open Contents" : "open Contents: no help viewer";
    }
}

void PrintUsage(unsigned actions, const Usage& usage) {
    std::printf("monkey: after %u actions: %lu USER objects, %lu GDI objects, %lu windows, %lu KB private\n",
                actions, usage.userObjects, usage.gdiObjects, usage.windows,
                static_cast<unsigned long>(usage.privateKb));
}

TEST(Monkey, RandomActionsKeepTheWindowConsistent) {
    const unsigned seed = EnvironmentNumber("CORVALIN_MONKEY_SEED", 20261207);
    const unsigned actions = EnvironmentNumber("CORVALIN_MONKEY_ACTIONS", 1000);
    const bool leaks = std::getenv("CORVALIN_MONKEY_LEAKS") != nullptr;
    std::printf("monkey: seed %u, %u actions%s\n", seed, actions, leaks ? ", objects and memory counted" : "");
    std::mt19937 random(seed);
    const auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };

    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, calc.processId());
    HWND other = CreateWindowExW(0, L"STATIC", L"Another application", WS_POPUP | WS_CAPTION | WS_VISIBLE, 700, 100,
                                 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ScopeExit cleanUp([&] {
        DestroyWindow(other);
        CloseHandle(process);
    });
    Usage early = {};
    long viewerKb = 0;
    for (unsigned n = 1; n <= actions; ++n) {
        const Action kind = PickAction(n, pick(100));
        const SIZE_T kbBefore = leaks && kind == kContents ? PrivateKb(process) : 0;
        const std::string action = Act(calc, kind, pick, other);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        std::string why;
        const unsigned sampleSeed = random();
        const bool everyEntry = n % 100 == 0;
        const bool consistent =
            WaitUntil([&] { return (why = Inconsistency(calc, sampleSeed, everyEntry)).empty(); }, 3000);
        ASSERT_TRUE(consistent) << "after action " << n << " (" << action << "), seed " << seed << ": " << why;
        if (!leaks) continue;
        if (kind == kContents && n > 100) {
            viewerKb += static_cast<long>(PrivateKb(process)) - static_cast<long>(kbBefore);
        }
        if (n == std::min(100u, actions) || n % 1000 == 0) {
            const Usage now = UsageOf(process, calc.processId());
            PrintUsage(n, now);
            if (n <= 100) early = now;
        }
    }
    if (leaks) {
        const Usage late = UsageOf(process, calc.processId());
        PrintUsage(actions, late);
        ExpectNoMore("USER objects", early.userObjects, late.userObjects);
        ExpectNoMore("GDI objects", early.gdiObjects, late.gdiObjects);
        EXPECT_LE(late.windows, early.windows);
        // The help viewer is the platform's: Wine's keeps some kilobytes for
        // every page it is asked to show, which the calculator cannot give
        // back. What the memory grew by across the Contents actions is its
        // share; the rest may only settle by some pages of heap, which a leak
        // in every action would soon pass.
        std::printf("monkey: the help viewer took %ld KB\n", viewerKb);
        EXPECT_LE(static_cast<long>(late.privateKb) - static_cast<long>(early.privateKb) - viewerKb, 256);
    }
    calc.Command(IDM_EXIT);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

}  // namespace
