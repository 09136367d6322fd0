// Whole-program figures of CorvalinCalc.exe against the baseline dialog
// program, one line each: start-up, response to a choice, idle cost.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/calculator_driver_win.h"
#include "support/unix_process_win.h"
#include "ui/ids.h"
#include "ui/main_window_win.h"
#include "ui/titles.h"

namespace {

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The process's visible window, once its first result is in the labels
// (the baseline shows the same text from the start).
HWND WaitUntilShown(const PROCESS_INFORMATION& process) {
    const double deadline = Now() + 30;
    while (Now() < deadline) {
        HWND found = FindProcessWindow(process.dwProcessId, nullptr, nullptr);
        if (found) {
            wchar_t text[16] = L"";
            GetWindowTextW(GetDlgItem(found, IDC_REGULAR_WIDTH), text, 16);
            if (std::wstring(text) == L"10.5") return found;
        }
        Sleep(0);
    }
    std::fprintf(stderr, "program_figures: the window never came\n");
    std::exit(1);
}

PROCESS_INFORMATION Start(const std::wstring& program) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "program_figures: cannot start a program\n");
        std::exit(1);
    }
    return process;
}

void Stop(const PROCESS_INFORMATION& process) {
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * static_cast<double>(values.size() - 1))];
}

double StartupTime(const std::wstring& program) {
    const double start = Now();
    PROCESS_INFORMATION process = Start(program);
    WaitUntilShown(process);
    const double time = Now() - start;
    Stop(process);
    return time;
}

struct Responses {
    std::vector<double> choices, clicks;
};

// Each choice is sent, so it has been handled, labels written, when the
// call returns.
void MakeChoices(HWND window, Responses& responses) {
    HWND list = GetDlgItem(window, IDC_WIDTH_LIST);
    for (int i = 0; i < 1000; ++i) {
        const double start = Now();
        if (i % 2 == 0) {
            SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(i / 2 % 12), 0);
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_WIDTH_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            responses.choices.push_back(Now() - start);
        } else {
            SendMessageW(GetDlgItem(window, i % 4 == 1 ? IDC_BAR_PRO : IDC_BAR_STANDARD), BM_CLICK, 0, 0);
            responses.clicks.push_back(Now() - start);
        }
    }
}

// A message sent from another process waits for the window's loop to wake
// from its 1 ms sleep; one sent in the window's own thread is handled at
// once, which leaves the program's own time.
Responses g_InProcess;

VOID CALLBACK MeasureInProcess(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    MakeChoices(g_hDlg, g_InProcess);
    SendMessageW(g_hDlg, WM_COMMAND, IDM_EXIT, 0);
}

void PrintResponses(const char* from, const Responses& responses) {
    std::printf("response %s, 500 events each: size choice median %.2f ms, 99th percentile %.2f ms; "
                "bar click median %.2f ms, 99th percentile %.2f ms (target < 1 ms)\n",
                from, Percentile(responses.choices, 0.5) * 1e3, Percentile(responses.choices, 0.99) * 1e3,
                Percentile(responses.clicks, 0.5) * 1e3, Percentile(responses.clicks, 0.99) * 1e3);
}

// Wine's times for another process stand still; under Wine the Unix side
// has the real ones.
double CpuSeconds(HANDLE process, const wchar_t* name) {
    const UnixProcessFigures unix = ReadUnixProcess(name);
    if (unix.found) return unix.cpuSeconds;
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto seconds = [](FILETIME t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double IdleCpu(const std::wstring& program, const wchar_t* name, double seconds) {
    PROCESS_INFORMATION process = Start(program);
    WaitUntilShown(process);
    Sleep(1000);
    const double before = CpuSeconds(process.hProcess, name);
    Sleep(static_cast<DWORD>(seconds * 1000));
    const double used = CpuSeconds(process.hProcess, name) - before;
    Stop(process);
    return used;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    const std::wstring calculator = ProgramPath(L"CorvalinCalc.exe");
    const std::wstring baseline = ProgramPath(L"BaselineDialog.exe");

    // Taken in turns, so that whatever else the machine does weighs on both.
    std::vector<double> calcStarts, baselineStarts;
    for (int i = 0; i < runs; ++i) {
        calcStarts.push_back(StartupTime(calculator));
        baselineStarts.push_back(StartupTime(baseline));
    }
    const double calcStart = Percentile(calcStarts, 0.5);
    const double baselineStart = Percentile(baselineStarts, 0.5);
    std::printf("start-up to first results, median of %d: %.1f ms; baseline dialog %.1f ms; ratio %.2f "
                "(target <= 1.05)\n",
                runs, calcStart * 1e3, baselineStart * 1e3, calcStart / baselineStart);

    Responses across;
    PROCESS_INFORMATION process = Start(calculator);
    MakeChoices(WaitUntilShown(process), across);
    Stop(process);
    PrintResponses("from another process", across);

    g_Caption = "Corvalin Calculator";
    SetTimer(nullptr, 0, 0, MeasureInProcess);
    ShowMainDialog(nullptr);
    PrintResponses("in the window's own thread", g_InProcess);

    const double calcIdle = IdleCpu(calculator, L"CorvalinCalc.exe", 10);
    const double baselineIdle = IdleCpu(baseline, L"BaselineDialog.exe", 10);
    if (baselineIdle > 0) {
        std::printf("idle CPU in 10 s: %.0f ms; baseline dialog %.0f ms; ratio %.1f\n", calcIdle * 1e3,
                    baselineIdle * 1e3, calcIdle / baselineIdle);
    } else {
        std::printf("idle CPU in 10 s: %.0f ms; baseline dialog 0 ms (below one 10 ms tick); no ratio\n",
                    calcIdle * 1e3);
    }
    return 0;
}
