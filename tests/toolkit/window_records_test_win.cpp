#include "toolkit/window_records_win.h"

#include <thread>
#include <vector>

#include "toolkit_test_win.h"

namespace {

class WindowRecordsTest : public ToolkitTest {};

HWND FakeHandle(uintptr_t n) {
    return reinterpret_cast<HWND>(n * 4 + 0x10000);
}

void AddControlRecord(HWND dialog, HWND control) {
    WindowRecord record;
    record.hwnd = control;
    record.parent = dialog;
    record.flags = kRecordControl | kUnitsDialog;
    ASSERT_TRUE(AddWindowRecord(record));
}

// Another dialog's records, made before and after, stay.
TEST(WindowRecords, DialogIsReleasedWithItsControlsAndASecondReleaseIsCaught) {
    const size_t faultsBefore = CountRecordFaults();
    WindowRecord dialog, other;
    dialog.hwnd = FakeHandle(1);
    dialog.flags = other.flags = kRecordDialog | kUnitsDialog;
    other.hwnd = FakeHandle(10);
    ASSERT_TRUE(AddWindowRecord(other));
    AddControlRecord(other.hwnd, FakeHandle(11));
    ASSERT_TRUE(AddWindowRecord(dialog));
    for (uintptr_t n = 2; n <= 4; ++n) AddControlRecord(dialog.hwnd, FakeHandle(n));
    AddControlRecord(other.hwnd, FakeHandle(12));
    EXPECT_EQ(DialogControls(dialog.hwnd), (std::vector<HWND>{FakeHandle(4), FakeHandle(3), FakeHandle(2)}));
    ReleaseDialogRecords(dialog.hwnd);
    EXPECT_EQ(CountWindowRecords(), 3u);
    EXPECT_FALSE(FindWindowRecord(dialog.hwnd));
    EXPECT_EQ(DialogControls(other.hwnd), (std::vector<HWND>{FakeHandle(12), FakeHandle(11)}));
    ReleaseDialogRecords(other.hwnd);
    EXPECT_EQ(CountWindowRecords(), 0u);

    EXPECT_EQ(CountRecordFaults(), faultsBefore);
    ReleaseDialogRecords(dialog.hwnd);
    EXPECT_EQ(CountRecordFaults(), faultsBefore + 1);
}

TEST_F(WindowRecordsTest, LockWordsHoldUnderThreadsAddingFindingAndReleasing) {
    constexpr int kThreads = 4;
    constexpr int kDialogsPerThread = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kDialogsPerThread; ++i) {
                const uintptr_t base = 1000 + (static_cast<uintptr_t>(t) * kDialogsPerThread + i) * 2;
                WindowRecord dialog;
                dialog.hwnd = FakeHandle(base);
                dialog.flags = kRecordDialog;
                WindowRecord control;
                control.hwnd = FakeHandle(base + 1);
                control.parent = dialog.hwnd;
                control.flags = kRecordControl;
                AddWindowRecord(dialog);
                AddWindowRecord(control);
                MarkDialogModal(dialog.hwnd, nullptr, nullptr);
                auto found = FindWindowRecord(dialog.hwnd);
                if (!found || !(found->flags & kRecordModal)) std::abort();
                ReleaseDialogRecords(dialog.hwnd);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(CountWindowRecords(), 0u);
}

}  // namespace
