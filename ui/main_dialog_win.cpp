#include "calc/wrap.h"
#include "toolkit/controls_win.h"
#include "toolkit/dialog_win.h"
#include "toolkit/menu_win.h"
#include "toolkit/modal_win.h"
#include "ui/ids.h"
#include "ui/main_window_win.h"
#include "ui/titles.h"

HWND g_hDlg = nullptr;

namespace {

// Unsorted, so the sizes stand in the order they are added.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST;
constexpr DWORD kResultStyle = WS_CHILD | WS_VISIBLE | SS_CENTER;
static_assert(kListStyle == 0x50210003 && kResultStyle == 0x50000001);

struct ControlLayout {
    int kind;
    int32_t id;
    const char* text;
    int x, y, width, height;
    DWORD style;  // 0: the kind's default
    DWORD exStyle;
};

// Creation order is tab order: the lists, then the three bar options.
const ControlLayout kControls[] = {
    {Frame, IDC_FINISHED_FRAME, "Desired Finished Size", 10, 45, 185, 50, 0, 0},
    {ComboBox, IDC_WIDTH_LIST, "", 20, 70, 75, 20, kListStyle, WS_EX_CLIENTEDGE},
    {Frame, IDC_WIDTH_FRAME, "Width (in)", 15, 60, 85, 30, 0, 0},
    {Frame, IDC_LENGTH_FRAME, "Length (in)", 105, 60, 85, 30, 0, 0},
    {ComboBox, IDC_LENGTH_LIST, "", 110, 70, 75, 15, kListStyle, WS_EX_CLIENTEDGE},
    {Frame, IDC_BARTYPE_FRAME, "Bar Type", 10, 5, 300, 40, 0, 0},
    {Option, IDC_BAR_STANDARD, BarTitle(BarType::Standard125), 20, 20, 75, 10, 0, 0},
    {Option, IDC_BAR_PRO, BarTitle(BarType::Pro175), 105, 15, 85, 20, 0, 0},
    {Frame, IDC_REGULAR_FRAME, "Regular Wrap Minimum Canvas Size", 15, 100, 295, 45, 0, 0},
    {Frame, IDC_STAPLE_FRAME, "Staple Method Minimum Canvas Size", 15, 150, 295, 45, 0, 0},
    {Frame, IDC_REGULAR_WIDTH_FRAME, "Width (in)", 20, 110, 55, 30, 0, 0},
    {Frame, IDC_STAPLE_WIDTH_FRAME, "Width (in)", 20, 160, 55, 30, 0, 0},
    {Frame, IDC_REGULAR_LENGTH_FRAME, "Length (in)", 80, 110, 55, 30, 0, 0},
    {Frame, IDC_STAPLE_LENGTH_FRAME, "Length (in)", 80, 160, 55, 30, 0, 0},
    {Label, IDC_REGULAR_WIDTH, "9", 25, 120, 45, 15, kResultStyle, 0},
    {Label, IDC_STAPLE_WIDTH, "9", 25, 170, 45, 15, kResultStyle, 0},
    {Label, IDC_REGULAR_LENGTH, "9", 85, 120, 45, 15, kResultStyle, 0},
    {Label, IDC_STAPLE_LENGTH, "9", 85, 170, 45, 15, kResultStyle, 0},
    {Frame, IDC_REGULAR_SHEET_FRAME, "Standard Sheet (in x in)", 145, 110, 85, 30, 0, 0},
    {Frame, IDC_STAPLE_SHEET_FRAME, "Standard Sheet (in x in)", 145, 160, 85, 30, 0, 0},
    {Label, IDC_REGULAR_SHEET, "", 150, 120, 75, 15, kResultStyle, 0},
    {Label, IDC_STAPLE_SHEET, "", 150, 170, 75, 15, kResultStyle, 0},
    {Frame, IDC_REGULAR_ROLL_FRAME, "Min. Roll Width (in)", 235, 110, 70, 30, 0, 0},
    {Frame, IDC_STAPLE_ROLL_FRAME, "Min. Roll Width (in)", 235, 160, 70, 30, 0, 0},
    {Label, IDC_REGULAR_ROLL, "", 240, 120, 60, 15, kResultStyle, 0},
    {Label, IDC_STAPLE_ROLL, "", 240, 170, 60, 15, kResultStyle, 0},
    {Option, IDC_BAR_PRENOTCHED, BarTitle(BarType::PreNotched), 200, 15, 105, 20, 0, 0},
};

}  // namespace

int32_t ShowMainDialog(HWND owner) {
    HWND dialog = CreateDialogBox(1, owner, 70, 70, 324, 211, 0, 0, g_Caption);
    for (const ControlLayout& c : kControls) {
        AddControl(c.kind, dialog, c.id, c.text, c.x, c.y, c.width, c.height, c.style, c.exStyle);
    }
    BuildMainMenu(dialog);
    g_hDlg = dialog;
    // The lists are filled for the checked bar, so it is checked first.
    SetOptionChecked(dialog, IDC_BAR_STANDARD, IDC_BAR_PRENOTCHED, IDC_BAR_STANDARD);
    FillSizeList(dialog, IDC_WIDTH_LIST);
    FillSizeList(dialog, IDC_LENGTH_LIST);
    int32_t result = 0;
    RunModal(dialog, MainDialogProc, &result);
    return result;
}

HMENU BuildMainMenu(HWND dialog) {
    HMENU bar = MenuCreateBar();
    MenuAppendItem(bar, "Exit", IDM_EXIT, 0);
    HMENU help = MenuCreatePopup();
    MenuAppendPopup(bar, "Help", help, 0);
    MenuAppendItem(help, "Contents", IDM_CONTENTS, 0);
    MenuAppendItem(help, "About", IDM_ABOUT, 0);
    MenuAttach(dialog, bar);
    return bar;
}
