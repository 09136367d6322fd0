// The toolkit's record of each dialog and control it creates, kept in one
// process-wide list (newest first) and found by window handle.
//
// Records are handed out as copies and changed only through the functions
// here: a dialog's records go away at WM_NCDESTROY, which can arrive inside
// any call that sends a message, so nobody may hold on to a record itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

using EventHandler = int32_t (*)(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

constexpr uint32_t kRecordDialog = 0x40000000;
constexpr uint32_t kRecordControl = 0x20000000;
constexpr uint32_t kRecordModal = 0x10000;
constexpr uint32_t kRecordUnitsMask = 0xF;
constexpr uint32_t kUnitsDialog = 1;
constexpr uint32_t kUnitsPixels = 2;

struct WindowRecord {
    HWND hwnd = nullptr;
    HWND parent = nullptr;  // a dialog's owner, a control's dialog
    uint32_t flags = 0;
    int kind = 0;
    int showCommand = SW_SHOW;
    HFONT font = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    EventHandler handler = nullptr;
    int32_t* resultSlot = nullptr;
};

// False when there was no memory for it.
bool AddWindowRecord(const WindowRecord& record);
std::optional<WindowRecord> FindWindowRecord(HWND hwnd);
// Stores what RunModal sets and adds the modal mark; false if there is no record.
bool MarkDialogModal(HWND dialog, EventHandler handler, int32_t* resultSlot);
// The controls made for a dialog, newest first.
std::vector<HWND> DialogControls(HWND dialog);
// Releases the records of a dialog's controls, then the dialog's own.
void ReleaseDialogRecords(HWND dialog);

// For tests: the records held, and the releases asked for a record that was
// not there (a double release), which must stay 0.
size_t CountWindowRecords();
size_t CountRecordFaults();
