#include "calc/finished_sizes.h"
#include "calc/wrap.h"
#include "toolkit/controls_win.h"
#include "ui/ids.h"
#include "ui/main_window_win.h"

namespace {

BarType CheckedBarType(HWND dialog) {
    if (IsChecked(dialog, IDC_BAR_STANDARD) == BST_CHECKED) return BarType::Standard125;
    if (IsChecked(dialog, IDC_BAR_PRO) == BST_CHECKED) return BarType::Pro175;
    if (IsChecked(dialog, IDC_BAR_PRENOTCHED) == BST_CHECKED) return BarType::PreNotched;
    return BarType::Standard125;
}

}  // namespace

void FillSizeList(HWND dialog, int32_t listId) {
    // The down arrow opens the list instead of stepping through it.
    SendMessageA(GetDlgItem(dialog, listId), CB_SETEXTENDEDUI, 1, 0);
    ListClear(dialog, listId);
    for (const Text& entry : FinishedSizeEntries(CheckedBarType(dialog))) {
        ListAddItem(dialog, listId, entry);
    }
    ListSelect(dialog, listId, 1);
}

void Recalculate() {
    const Text width = ListGetText(g_hDlg, IDC_WIDTH_LIST);
    const Text length = ListGetText(g_hDlg, IDC_LENGTH_LIST);
    const WrapResults r = CalculateWrap(CheckedBarType(g_hDlg), width, length);
    const std::pair<int, const Text*> labels[] = {
        {IDC_REGULAR_WIDTH, &r.regularWidth}, {IDC_REGULAR_LENGTH, &r.regularLength},
        {IDC_STAPLE_WIDTH, &r.stapleWidth},   {IDC_STAPLE_LENGTH, &r.stapleLength},
        {IDC_REGULAR_SHEET, &r.regularSheet}, {IDC_STAPLE_SHEET, &r.stapleSheet},
        {IDC_REGULAR_ROLL, &r.regularRoll},   {IDC_STAPLE_ROLL, &r.stapleRoll},
    };
    for (const auto& [id, text] : labels) {
        SetControlText(GetDlgItem(g_hDlg, id), *text);
    }
}
