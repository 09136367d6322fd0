#include <windows.h>

#include <htmlhelp.h>

#include "toolkit/platform_text_win.h"
#include "ui/about_text.h"
#include "ui/main_window_win.h"
#include "ui/titles.h"

namespace {

const char* const HELP_FILE_NAME = "Corvalin Calculator.chm";

using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The viewer lives in hhctrl.ocx. It is loaded by full path from the system
// directory only: a copy planted beside the program or in the current
// directory must never run.
HtmlHelpProc LoadHtmlHelp() {
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    const char name[] = "\\hhctrl.ocx";
    if (length == 0 || length + sizeof name > MAX_PATH) return nullptr;
    lstrcpyA(path + length, name);
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) return nullptr;
    return reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA")));
}

}  // namespace

void ShowHelpContents() {
    static const HtmlHelpProc htmlHelp = LoadHtmlHelp();
    if (htmlHelp) htmlHelp(g_hDlg, HELP_FILE_NAME, HH_DISPLAY_TOC, 0);
}

void ShowAboutBox() {
    ShowMessage(BuildAboutText(g_Caption, CurrentDateText()), g_Caption, MB_OK);
}
