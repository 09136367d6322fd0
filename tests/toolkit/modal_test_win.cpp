#include "toolkit/modal_win.h"

#include <atomic>
#include <thread>

#include "toolkit/controls_win.h"
#include "toolkit/dialog_win.h"
#include "toolkit/menu_win.h"
#include "toolkit_test_win.h"

namespace {

class RunModalTest : public ToolkitTest {
protected:
    // Runs the dialog after posting the given messages to it; returns the
    // result variable, which starts at -1.
    int32_t Run(HWND dialog, std::initializer_list<MSG> posted) {
        for (const MSG& message : posted) {
            PostMessageW(message.hwnd ? message.hwnd : dialog, message.message, message.wParam, message.lParam);
        }
        int32_t result = -1;
        RunModal(dialog, RecordingHandler, &result);
        EXPECT_FALSE(IsWindow(dialog));
        return result;
    }
};

MSG Posted(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, HWND to = nullptr) {
    MSG m = {};
    m.hwnd = to;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    return m;
}

// A dialog with all four kinds and a menu, as the calculator builds one.
HWND CreateFullDialog() {
    HWND dialog = CreateTestDialog();
    AddControl(Frame, dialog, 101, "Frame", 5, 5, 190, 60, 0, 0);
    AddControl(ComboBox, dialog, 102, "", 10, 15, 75, 60, 0x50210003, WS_EX_CLIENTEDGE);
    AddControl(Option, dialog, 103, "Option", 10, 35, 75, 10, 0, 0);
    AddControl(Label, dialog, 104, "Label", 100, 15, 50, 10, 0x50000001, 0);
    HMENU bar = MenuCreateBar();
    MenuAppendItem(bar, "Exit", 1007, 0);
    HMENU popup = MenuCreatePopup();
    MenuAppendPopup(bar, "Help", popup, 0);
    MenuAppendItem(popup, "About", 1010, 0);
    MenuAttach(dialog, bar);
    return dialog;
}

TEST_F(RunModalTest, HandlerStartsWithInitDialogThenSizeBeforeTheWindowShows) {
    HWND dialog = CreateFullDialog();
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(Run(dialog, {Posted(kCloseWith7)}), 7);

    ASSERT_GE(g_Calls.size(), 2u);
    EXPECT_EQ(g_Calls[0].message, static_cast<UINT>(WM_INITDIALOG));
    EXPECT_EQ(g_Calls[0].wParam, reinterpret_cast<WPARAM>(dialog));
    EXPECT_EQ(g_Calls[0].lParam, 0);
    EXPECT_FALSE(g_Calls[0].visible);
    EXPECT_EQ(g_Calls[1].message, static_cast<UINT>(WM_SIZE));
    EXPECT_EQ(g_Calls[1].wParam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(g_Calls[1].lParam, MAKELPARAM(client.right, client.bottom));
    EXPECT_FALSE(g_Calls[1].visible);
    EXPECT_EQ(HandledMessages({WM_INITDIALOG}).size(), 1u);
}

// WM_ACTIVATE is left to the platform, which puts the focus back on the
// control that had it.
TEST_F(RunModalTest, ActivationReachesTheHandlerOnlyAsNcActivate) {
    HWND dialog = CreateFullDialog();
    g_Other = CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                              nullptr, nullptr);
    EXPECT_EQ(Run(dialog, {Posted(kLeaveAndComeBack)}), 7);
    DestroyWindow(g_Other);
    EXPECT_EQ(g_FocusAfter, 103);
    EXPECT_TRUE(HandledMessages({WM_ACTIVATE}).empty());
    EXPECT_FALSE(HandledMessages({WM_NCACTIVATE}).empty());
}

TEST_F(RunModalTest, CloseDialogFromTheHandlerEndsTheLoopWithItsResult) {
    HWND dialog = CreateFullDialog();
    EXPECT_EQ(Run(dialog, {Posted(kCloseWith7)}), 7);
    EXPECT_EQ(HandledMessages({kCloseWith7, WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
              (std::vector<UINT>{kCloseWith7, WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
    // A dialog that is gone: nothing happens, nothing is released twice.
    CloseDialog(dialog, 9);
}

TEST_F(RunModalTest, QuitMessageDoesNotEndTheLoop) {
    HWND dialog = CreateFullDialog();
    PostQuitMessage(3);
    EXPECT_EQ(Run(dialog, {Posted(kCloseWith7)}), 7);
    EXPECT_EQ(HandledMessages({kCloseWith7}).size(), 1u);
}

TEST_F(RunModalTest, SystemCloseEndsTheDialogWithZeroUnlessTheHandlerKeepsIt) {
    // The platform keeps the low four bits of the command for itself.
    EXPECT_EQ(Run(CreateFullDialog(), {Posted(WM_SYSCOMMAND, SC_CLOSE | 3)}), 0);
    EXPECT_EQ(HandledMessages({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));

    g_Calls.clear();
    g_KeepOpenOnSysClose = true;
    EXPECT_EQ(Run(CreateFullDialog(), {Posted(WM_SYSCOMMAND, SC_CLOSE), Posted(kCloseWith7)}), 7);
    EXPECT_EQ(HandledMessages({WM_SYSCOMMAND, kCloseWith7, WM_CLOSE}),
              (std::vector<UINT>{WM_SYSCOMMAND, kCloseWith7, WM_CLOSE}));
}

TEST_F(RunModalTest, AltF4ClosesTheDialogThroughTheSystemCommand) {
    HWND dialog = CreateFullDialog();
    const LPARAM altDown = (1 << 29) | 1;
    EXPECT_EQ(Run(dialog, {Posted(WM_SYSKEYDOWN, VK_F4, altDown)}), 0);
    ASSERT_FALSE(HandledMessages({WM_SYSCOMMAND}).empty());
}

TEST_F(RunModalTest, EscapeAndEnterBecomeCancelAndOkAndLeaveTheDialogOpen) {
    HWND dialog = CreateFullDialog();
    HWND list = GetDlgItem(dialog, 102);
    const int32_t result = Run(dialog, {Posted(WM_KEYDOWN, VK_ESCAPE, 1, list), Posted(WM_KEYUP, VK_ESCAPE, 1, list),
                                        Posted(WM_KEYDOWN, VK_RETURN, 1, dialog),
                                        Posted(WM_KEYUP, VK_RETURN, 1, dialog), Posted(kCloseWith7)});
    EXPECT_EQ(result, 7);
    std::vector<WPARAM> commands;
    for (const HandlerCall& call : g_Calls) {
        // The list's own notifications carry its identifier.
        if (call.message == WM_COMMAND && LOWORD(call.wParam) != 102) commands.push_back(call.wParam);
    }
    EXPECT_EQ(commands, (std::vector<WPARAM>{IDCANCEL, IDOK}));
}

// Another thread's messages are handled inside PeekMessageW: an answer goes
// back to the sender, and a dialog destroyed there ends the loop at once.
TEST_F(RunModalTest, MessagesSentFromAnotherThreadAreAnsweredAndCanEndTheDialog) {
    HWND dialog = CreateFullDialog();
    const DWORD loopThread = GetCurrentThreadId();
    std::atomic<bool> returned = false;
    LRESULT answer = 0;
    bool nudged = false;
    std::thread sender([&] {
        WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; });
        answer = SendMessageW(dialog, kAnswer5, 0, 0);
        SendMessageW(dialog, kCloseWith7, 0, 0);
        // A loop that missed the end would sleep until a message of its own.
        nudged = !WaitUntil([&] { return returned.load(); }, 5000);
        if (nudged) PostThreadMessageW(loopThread, WM_NULL, 0, 0);
    });
    int32_t result = -1;
    RunModal(dialog, RecordingHandler, &result);
    returned = true;
    sender.join();
    EXPECT_EQ(answer, 5);
    EXPECT_FALSE(nudged) << "the loop went on after the dialog was gone";
    EXPECT_EQ(result, 7);
}

std::vector<int> g_Sized;
WNDPROC g_ControlProcs[4];

// Records the controls that receive the dialog's WM_SIZE of 300 x 200.
LRESULT CALLBACK SizeRecorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const int control = GetDlgCtrlID(hwnd);
    if (message == WM_SIZE && lParam == MAKELPARAM(300, 200)) g_Sized.push_back(control);
    return CallWindowProcW(g_ControlProcs[control - 101], hwnd, message, wParam, lParam);
}

TEST_F(RunModalTest, PlatformSizeIsPassedOnToTheControlsNewestFirst) {
    HWND dialog = CreateFullDialog();
    g_Sized.clear();
    for (int id = 101; id <= 104; ++id) {
        g_ControlProcs[id - 101] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(GetDlgItem(dialog, id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SizeRecorder)));
    }
    PostMessageW(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_EQ(Run(dialog, {Posted(kCloseWith7)}), 7);
    EXPECT_EQ(g_Sized, (std::vector<int>{104, 103, 102, 101}));
}

TEST_F(RunModalTest, MessageBoxFromTheHandlerSurvivesTheDialogClosingUnderIt) {
    HWND dialog = CreateFullDialog();
    std::atomic<bool> boxSeen = false;
    std::thread user([&] {
        HWND box = nullptr;
        boxSeen = WaitUntil([&] {
            return (box = FindProcessWindow(GetCurrentProcessId(), L"#32770", L"Toolkit message")) != nullptr;
        });
        // Exit while the box is open: the dialog goes inside the box's loop.
        PostMessageW(dialog, kCloseWith7, 0, 0);
        WaitUntil([&] { return !IsWindow(dialog); });
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(Run(dialog, {Posted(kShowMessage)}), 7);
    user.join();
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(HandledMessages({kShowMessage, kCloseWith7, WM_NCDESTROY}),
              (std::vector<UINT>{kShowMessage, kCloseWith7, WM_NCDESTROY}));
}

TEST_F(RunModalTest, HandleThatIsNotAToolkitDialogGetsOnlyTheStartCalls) {
    int32_t result = -1;
    RunModal(nullptr, RecordingHandler, &result);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(HandledMessages({WM_INITDIALOG, WM_SIZE}), (std::vector<UINT>{WM_INITDIALOG, WM_SIZE}));
    EXPECT_EQ(g_Calls.size(), 2u);

    HWND dialog = CreateFullDialog();
    HWND frame = GetDlgItem(dialog, 101);
    RunModal(frame, nullptr, &result);
    CloseDialog(frame, 9);
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(result, -1);
    DestroyWindow(dialog);
}

}  // namespace
