#include "toolkit/window_records_win.h"

#include <new>

#include "toolkit/lock_word.h"

namespace {

struct RecordNode {
    WindowRecord record;
    RecordNode* next;
};

LockWord g_RecordsLock;
RecordNode* g_Records = nullptr;
size_t g_RecordFaults = 0;

RecordNode* FindNodeLocked(HWND hwnd) {
    for (RecordNode* node = g_Records; node; node = node->next) {
        if (node->record.hwnd == hwnd) return node;
    }
    return nullptr;
}

void ReleaseRecordLocked(HWND hwnd) {
    for (RecordNode** link = &g_Records; *link; link = &(*link)->next) {
        if ((*link)->record.hwnd == hwnd) {
            RecordNode* node = *link;
            *link = node->next;
            delete node;
            return;
        }
    }
    ++g_RecordFaults;
}

}  // namespace

bool AddWindowRecord(const WindowRecord& record) {
    RecordNode* node = new (std::nothrow) RecordNode{record, nullptr};
    if (!node) return false;
    LockWordHeld held(g_RecordsLock);
    node->next = g_Records;
    g_Records = node;
    return true;
}

std::optional<WindowRecord> FindWindowRecord(HWND hwnd) {
    LockWordHeld held(g_RecordsLock);
    RecordNode* node = FindNodeLocked(hwnd);
    if (!node) return std::nullopt;
    return node->record;
}

bool MarkDialogModal(HWND dialog, EventHandler handler, int32_t* resultSlot) {
    LockWordHeld held(g_RecordsLock);
    RecordNode* node = FindNodeLocked(dialog);
    if (!node) return false;
    node->record.handler = handler;
    node->record.resultSlot = resultSlot;
    node->record.flags |= kRecordModal;
    return true;
}

std::vector<HWND> DialogControls(HWND dialog) {
    std::vector<HWND> controls;
    LockWordHeld held(g_RecordsLock);
    for (RecordNode* node = g_Records; node; node = node->next) {
        if ((node->record.flags & kRecordControl) && node->record.parent == dialog) {
            controls.push_back(node->record.hwnd);
        }
    }
    return controls;
}

void ReleaseDialogRecords(HWND dialog) {
    LockWordHeld held(g_RecordsLock);
    for (RecordNode** link = &g_Records; *link;) {
        RecordNode* node = *link;
        if ((node->record.flags & kRecordControl) && node->record.parent == dialog) {
            *link = node->next;
            delete node;
        } else {
            link = &node->next;
        }
    }
    ReleaseRecordLocked(dialog);
}

size_t CountWindowRecords() {
    LockWordHeld held(g_RecordsLock);
    size_t count = 0;
    for (RecordNode* node = g_Records; node; node = node->next) ++count;
    return count;
}

size_t CountRecordFaults() {
    LockWordHeld held(g_RecordsLock);
    return g_RecordFaults;
}
