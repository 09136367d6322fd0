// A stand-in hhctrl.ocx planted beside the program: if it is ever loaded, it
// leaves a named mutex behind for the test to find.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) CreateMutexW(nullptr, FALSE, L"CorvalinPlantedHhctrlRan");
    return TRUE;
}

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND, LPCSTR, UINT, DWORD_PTR) {
    return nullptr;
}
