// The process: refuses platforms outside the NT family, prepares COM, the
// common controls and the floating-point unit, and runs the main window.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "ui/main_window_win.h"
#include "ui/titles.h"

namespace {

// Round to nearest, all exceptions masked, 64-bit mantissa: the number
// conversions rely on extended precision.
void SetFloatingPointControl() {
    const unsigned short controlWord = 0x133F;
    __asm__ volatile("fldcw %0" : : "m"(controlWord));
}

using InitCommonControlsExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

int AppMain() {
    g_Title = "Corvalin Calculator";
    g_Version = "v1.0";
    g_Caption = Concat(Concat(g_Title, " - "), g_Version);

    HMODULE comctl = LoadLibraryA("COMCTL32.DLL");
    if (comctl) {
        auto init = reinterpret_cast<InitCommonControlsExProc>(
            reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")));
        if (init) {
            const INITCOMMONCONTROLSEX classes = {8, 0x9FF};
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
    const INITCOMMONCONTROLSEX classes = {8, 0x706F};
    InitCommonControlsEx(&classes);
    SetFloatingPointControl();

    const int code = AppMain();

    g_Title.clear();
    g_Version.clear();
    g_Caption.clear();
    CoUninitialize();
    ExitProcess(static_cast<UINT>(code));
}
