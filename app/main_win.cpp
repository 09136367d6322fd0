// The process: refuses platforms outside the NT family, prepares COM, the
// common controls and the floating-point unit, and runs the main window.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "ui/main_window_win.h"
#include "ui/titles.h"
#include "version.h"

namespace {

// Round to nearest, all exceptions masked, 64-bit mantissa: the number
// conversions rely on extended precision.
void SetFloatingPointControl() {
    const unsigned short controlWord = 0x133F;
    __asm__ volatile("fldcw %0" : : "m"(controlWord));
}

// The common control classes, registered at entry and once more, through a
// run-time lookup, before the window is built.
constexpr DWORD kFirstClasses = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS | ICC_PAGESCROLLER_CLASS |
                                ICC_NATIVEFNTCTL_CLASS | ICC_STANDARD_CLASSES;
constexpr DWORD kLaterClasses = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES;
static_assert(kFirstClasses == 0x706F && kLaterClasses == 0x9FF);

using InitCommonControlsExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

int AppMain() {
    g_Title = "Corvalin Calculator";
    g_Version = "v" CORVALIN_VERSION;
    g_Caption = Concat(Concat(g_Title, " - "), g_Version);

    HMODULE comctl = LoadLibraryA("COMCTL32.DLL");
    if (comctl) {
        auto init = reinterpret_cast<InitCommonControlsExProc>(
            reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")));
        if (init) {
            const INITCOMMONCONTROLSEX classes = {sizeof classes, kLaterClasses};
            init(&classes);
        } else {
            InitCommonControls();
        }
        FreeLibrary(comctl);
    }

    ShowMainDialog(nullptr);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;  // 148
    GetVersionExA(&version);
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT) {
        MessageBoxA(nullptr, "Win98 No Support", nullptr, MB_TASKMODAL | MB_SETFOREGROUND);
        ExitProcess(255);
    }

    CoInitialize(nullptr);
    const INITCOMMONCONTROLSEX classes = {sizeof classes, kFirstClasses};
    InitCommonControlsEx(&classes);
    SetFloatingPointControl();

    const int code = AppMain();

    CoUninitialize();
    ExitProcess(static_cast<UINT>(code));
}
