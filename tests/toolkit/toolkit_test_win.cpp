#include "toolkit_test_win.h"

#include <algorithm>

#include "toolkit/dialog_win.h"
#include "toolkit/modal_win.h"
#include "toolkit/platform_text_win.h"

std::vector<HandlerCall> g_Calls;
bool g_KeepOpenOnSysClose = false;
HWND g_Other = nullptr;
int g_FocusAfter = 0;

int32_t RecordingHandler(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_Calls.push_back({message, wParam, lParam, IsWindowVisible(hWnd) != FALSE});
    switch (message) {
    case kCloseWith7:
        CloseDialog(hWnd, 7);
        return 0;
    case kAnswer5:
        return 5;
    case kShowMessage:
        ShowMessage("Re-entered", "Toolkit message", MB_OK);
        return 0;
    case kLeaveAndComeBack:
        SetFocus(GetDlgItem(hWnd, 103));
        SetActiveWindow(g_Other);
        SetActiveWindow(hWnd);
        g_FocusAfter = GetDlgCtrlID(GetFocus());
        CloseDialog(hWnd, 7);
        return 0;
    case WM_SYSCOMMAND:
        return g_KeepOpenOnSysClose && (wParam & 0xFFF0) == SC_CLOSE ? 1 : 0;
    default:
        return 0;
    }
}

std::vector<UINT> HandledMessages(std::initializer_list<UINT> wanted) {
    std::vector<UINT> messages;
    for (const HandlerCall& call : g_Calls) {
        if (std::find(wanted.begin(), wanted.end(), call.message) != wanted.end()) {
            messages.push_back(call.message);
        }
    }
    return messages;
}

HWND CreateTestDialog(const char* caption) {
    return CreateDialogBox(1, nullptr, 20, 20, 200, 120, 0, 0, caption);
}

void ToolkitTest::SetUp() {
    g_Calls.clear();
    g_KeepOpenOnSysClose = false;
    faultsAtStart_ = CountRecordFaults();
    ASSERT_EQ(CountWindowRecords(), 0u);
}

void ToolkitTest::TearDown() {
    EXPECT_EQ(CountWindowRecords(), 0u) << "a dialog's records outlived it";
    EXPECT_EQ(CountRecordFaults(), faultsAtStart_) << "a record was released twice";
}
