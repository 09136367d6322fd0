// Thousands of random user actions on the real calculator, from a seed that
// is printed so a failure can be replayed (CORVALIN_MONKEY_SEED, and
// CORVALIN_MONKEY_ACTIONS for the count: 10000 by default; `make monkey`
// runs more). After every action the window must be consistent; at the end
// its object counts and memory must not have grown.
#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

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

// Wine answers GetGuiResources with 0. Its GDI keeps a process's objects in
// a handle table of the process's own, which the process environment block
// points to as on early Windows NT: the entries with a type are the objects.
// Entries are handed out from the start of the table, so it is read in
// blocks up to the first block never used; reading the rest would only
// bring its untouched pages into the calculator's memory.
DWORD GdiObjectsInTable(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic = {};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return 0;
    const size_t tableField = sizeof(void*) == 8 ? 0xF8 : 0x94;
    const char* table = nullptr;
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + tableField, &table,
                           sizeof table, nullptr) ||
        !table) {
        return 0;
    }
    struct Entry {
        uint64_t object;
        uint32_t owner;
        uint16_t unique;
        uint8_t type;
        uint8_t flags;
        uint64_t user;
    };
    // Wine's entries hold 64-bit pointers in 32-bit processes too.
    static_assert(sizeof(Entry) == 24, "one entry of Wine's GDI handle table");
    const size_t tableEntries = 0x10000;
    const size_t blockEntries = 512;
    DWORD objects = 0;
    std::vector<Entry> block(blockEntries);
    for (size_t first = 0; first < tableEntries; first += blockEntries) {
        if (!ReadProcessMemory(process, table + first * sizeof(Entry), block.data(), blockEntries * sizeof(Entry),
                               nullptr)) {
            return 0;
        }
        if (std::all_of(block.begin(), block.end(), [](const Entry& e) { return !e.object && !e.type; })) break;
        objects += static_cast<DWORD>(std::count_if(block.begin(), block.end(), [](const Entry& e) { return e.type; }));
    }
    return objects;
}

// A repaint or a blink holds a device context or a bitmap for a moment, so
// the table is read until two readings a little apart agree.
DWORD GdiObjects(HANDLE process) {
    DWORD objects = GetGuiResources(process, GR_GDIOBJECTS);
    if (objects) return objects;
    objects = GdiObjectsInTable(process);
    for (int i = 0; i < 10; ++i) {
        Sleep(20);
        const DWORD again = GdiObjectsInTable(process);
        if (again == objects) break;
        objects = again;
    }
    return objects;
}

Usage UsageOf(HANDLE process, DWORD processId) {
    return {GetGuiResources(process, GR_USEROBJECTS), GdiObjects(process), CountWindows(processId),
            PrivateKb(process)};
}

unsigned EnvironmentNumber(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

struct Question {
    HWND window;
    UINT message;
};

struct Answer {
    LRESULT result = 0;
    bool given = false;
};

// The answers awaited, and which round of questions they belong to: an
// answer that comes after its round was given up on must not be taken.
struct Round {
    ULONG_PTR number = 0;
    std::vector<Answer> answers;
} g_round;

constexpr ULONG_PTR kMostQuestions = 16;

VOID CALLBACK TakeAnswer(HWND, UINT, ULONG_PTR question, LRESULT result) {
    if (question / kMostQuestions == g_round.number) g_round.answers[question % kMostQuestions] = {result, true};
}

// Sends questions without pointers all at once and collects the answers
// (none if they do not all come). The calculator's polling loop answers
// every message waiting when it wakes, so they cost one round trip together
// instead of one each.
std::vector<LRESULT> AskAtOnce(const std::vector<Question>& questions) {
    if (questions.size() > kMostQuestions) return {};
    g_round.number++;
    g_round.answers.assign(questions.size(), Answer());
    for (size_t i = 0; i < questions.size(); ++i) {
        SendMessageCallbackW(questions[i].window, questions[i].message, 0, 0, TakeAnswer,
                             g_round.number * kMostQuestions + i);
    }
    auto allGiven = [] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        return std::all_of(g_round.answers.begin(), g_round.answers.end(), [](const Answer& a) { return a.given; });
    };
    // Waits for input rather than sleeping, so an answer is taken at once.
    const DWORD start = GetTickCount();
    while (!allGiven()) {
        if (GetTickCount() - start > kDeadlineMs) return {};
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    std::vector<LRESULT> results;
    for (const Answer& answer : g_round.answers) results.push_back(answer.result);
    return results;
}

// Why the window is inconsistent, or empty when it is not. Reading every
// list entry takes two round trips each, so it is done when `everyEntry`;
// otherwise the count and where the selected and one random size stand
// (first, so never twice) speak for a list.
std::string Inconsistency(const RunningCalculator& calc, unsigned sampleSeed, bool everyEntry) {
    const int options[] = {IDC_BAR_STANDARD, IDC_BAR_PRO, IDC_BAR_PRENOTCHED};
    const BarType bars[] = {BarType::Standard125, BarType::Pro175, BarType::PreNotched};
    const HWND lists[] = {calc.control(IDC_WIDTH_LIST), calc.control(IDC_LENGTH_LIST)};
    const std::vector<LRESULT> answers =
        AskAtOnce({{calc.control(options[0]), BM_GETCHECK}, {calc.control(options[1]), BM_GETCHECK},
                   {calc.control(options[2]), BM_GETCHECK}, {lists[0], CB_GETCOUNT}, {lists[0], CB_GETCURSEL},
                   {lists[1], CB_GETCOUNT}, {lists[1], CB_GETCURSEL}});
    if (answers.empty()) return "the calculator did not answer";
    if (std::count(answers.begin(), answers.begin() + 3, BST_CHECKED) != 1) return "not exactly one option checked";
    const int checked = static_cast<int>(std::find(answers.begin(), answers.end(), BST_CHECKED) - answers.begin());
    const std::vector<std::wstring> sizes = OfferedSizes(bars[checked]);
    const LRESULT count = static_cast<LRESULT>(sizes.size());
    std::wstring selected[2];
    for (int i : {0, 1}) {
        const LRESULT listCount = answers[3 + 2 * i];
        const LRESULT selection = answers[4 + 2 * i];
        if (listCount != count) return "a list does not hold as many sizes as the bar";
        if (selection < 0 || selection >= count) return "a list has no selection";
        const LRESULT sample = static_cast<LRESULT>((i == 0 ? sampleSeed : sampleSeed / 128) % sizes.size());
        selected[i] = sizes[static_cast<size_t>(selection)];
        // An entry's index is one round trip, where its text takes two.
        if (IndexOfEntry(lists[i], selected[i]) != selection ||
            IndexOfEntry(lists[i], sizes[static_cast<size_t>(sample)]) != sample ||
            (everyEntry && ListEntries(lists[i]) != sizes)) {
            return "a list does not hold the bar's sizes in order";
        }
    }
    const WrapResults expected = CalculateWrap(bars[checked], Text(selected[0].begin(), selected[0].end()),
                                               Text(selected[1].begin(), selected[1].end()));
    if (ResultLabels(calc) != ExpectedLabels(expected)) return "the labels do not match the selection";
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

void PrintUsage(unsigned actions, const Usage& usage) {
    std::printf("monkey: after %u actions: %lu USER objects, %lu GDI objects, %lu windows, %lu KB private\n",
                actions, usage.userObjects, usage.gdiObjects, usage.windows,
                static_cast<unsigned long>(usage.privateKb));
}

TEST(Monkey, RandomActionsKeepTheWindowConsistentAndUseNoMoreObjects) {
    const unsigned seed = EnvironmentNumber("CORVALIN_MONKEY_SEED", 20261207);
    const unsigned actions = EnvironmentNumber("CORVALIN_MONKEY_ACTIONS", 10000);
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
    long viewerKb = 0;
    unsigned viewerCalls = 0;
    for (unsigned n = 1; n <= actions; ++n) {
        std::string action;
        const Action kind = PickAction(n, pick(100));
        const SIZE_T kbBefore = kind == kContents ? PrivateKb(process) : 0;
        switch (kind) {
        case kClickOption: {
            const int option = options[pick(3)];
            action = "click option " + std::to_string(option);
            calc.Click(option);
            break;
        }
        case kChooseEntry: {
            const int list = lists[pick(2)];
            const LRESULT count = SendMessageW(calc.control(list), CB_GETCOUNT, 0, 0);
            const WPARAM index = pick(static_cast<unsigned>(count));
            action = "choose entry " + std::to_string(index) + " of list " + std::to_string(list);
            SendMessageW(calc.control(list), CB_SETCURSEL, index, 0);
            SendMessageW(calc.window(), WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(calc.control(list)));
            break;
        }
        case kTypeDigit: {
            const int list = lists[pick(2)];
            const wchar_t digit = static_cast<wchar_t>(L'1' + pick(9));
            action = "type " + std::string(1, static_cast<char>(digit)) + " in list " + std::to_string(list);
            PostMessageW(calc.control(list), WM_CHAR, digit, 1);
            break;
        }
        case kPressKey: {
            const WPARAM key = keys[pick(3)];
            action = "press key " + std::to_string(key);
            calc.PressKey(key);
            break;
        }
        case kSwitchApplication:
            action = "activate another window and come back";
            SetForegroundWindow(other);
            SetForegroundWindow(calc.window());
            break;
        case kAbout: {
            action = "open About and dismiss it";
            calc.Command(IDM_ABOUT);
            HWND about = calc.WaitForWindow(L"#32770", kCaption, calc.window());
            ASSERT_NE(about, nullptr) << "action " << n;
            // Read before it is dismissed, as a person would: painted.
            UpdateWindow(about);
            SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "action " << n;
            break;
        }
        default:
            action = "open Contents";
            calc.Command(IDM_CONTENTS);
            ASSERT_NE(calc.WaitForWindow(L"HH Parent", L"Corvalin Calculator Help"), nullptr) << "action " << n;
            break;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        std::string why;
        const unsigned sampleSeed = random();
        const bool everyEntry = n % 100 == 0;
        const bool consistent =
            WaitUntil([&] { return (why = Inconsistency(calc, sampleSeed, everyEntry)).empty(); }, 3000);
        ASSERT_TRUE(consistent) << "after action " << n << " (" << action << "), seed " << seed << ": " << why;
        if (kind == kContents && n > 100) {
            viewerKb += static_cast<long>(PrivateKb(process)) - static_cast<long>(kbBefore);
            ++viewerCalls;
        }
        if (n == std::min(100u, actions)) {
            early = UsageOf(process, calc.processId());
            PrintUsage(n, early);
        } else if (n % 1000 == 0 && n < actions) {
            PrintUsage(n, UsageOf(process, calc.processId()));
        }
    }
    const Usage late = UsageOf(process, calc.processId());
    PrintUsage(actions, late);
    EXPECT_LE(late.userObjects, early.userObjects);
    EXPECT_LE(late.gdiObjects, early.gdiObjects);
    EXPECT_LE(late.windows, early.windows);
    EXPECT_GT(late.windows, 27u);
    EXPECT_GT(late.gdiObjects, 0u) << "the GDI objects could not be counted";
    // The help viewer is the platform's: Wine's keeps some kilobytes for
    // every page it is asked to show, which the calculator cannot give back.
    // What the memory grew by across the Contents actions is its share;
    // the rest may only settle by some pages of heap, which a leak in every
    // action would soon pass.
    std::printf("monkey: the help viewer took %ld KB over %u Contents\n", viewerKb, viewerCalls);
    EXPECT_LE(static_cast<long>(late.privateKb) - static_cast<long>(early.privateKb) - viewerKb, 256);

    DestroyWindow(other);
    CloseHandle(process);
    calc.Command(IDM_EXIT);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

}  // namespace
