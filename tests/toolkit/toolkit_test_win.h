// Shared pieces of the toolkit tests: a dialog to test on, and an event
// handler that records every call and acts as the test tells it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/windows_win.h"
#include "toolkit/window_records_win.h"

struct HandlerCall {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool visible;
};

// Posted or sent to a running dialog: the recording handler closes it with 7.
constexpr UINT kCloseWith7 = WM_APP;
// Sent to a running dialog: the recording handler answers 5.
constexpr UINT kAnswer5 = WM_APP + 1;
// Posted to a running dialog: the recording handler shows a message box.
constexpr UINT kShowMessage = WM_APP + 2;
// Posted to a running dialog: the recording handler puts the focus on
// control 103, activates g_Other and the dialog again, keeps the identifier
// of the control with the focus in g_FocusAfter and closes the dialog with 7.
constexpr UINT kLeaveAndComeBack = WM_APP + 3;
extern HWND g_Other;
extern int g_FocusAfter;

extern std::vector<HandlerCall> g_Calls;
extern bool g_KeepOpenOnSysClose;  // answer nonzero to SC_CLOSE

int32_t RecordingHandler(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The messages the handler received, in order, leaving out the ones the
// platform sends for painting and the like.
std::vector<UINT> HandledMessages(std::initializer_list<UINT> wanted);

// A hidden toolkit dialog in dialog units, default style, no owner.
HWND CreateTestDialog(const char* caption = "Toolkit test");

// Every test leaves the registry as it found it: empty, with no release of
// a record that was not there.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    size_t faultsAtStart_ = 0;
};
