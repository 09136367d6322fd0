#include "toolkit/dialog_win.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "toolkit/lock_word.h"
#include "toolkit/modal_win.h"
#include "toolkit/platform_text_win.h"
#include "toolkit/window_records_win.h"

namespace {

constexpr DWORD kDefaultDialogStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT |
                                      DS_NOFAILCREATE | DS_3DLOOK;
static_assert(kDefaultDialogStyle == 0x80C000D4);
constexpr DWORD kDialogStyleAdded = DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
constexpr DWORD kDialogStyleRemoved = WS_VISIBLE | DS_SYSMODAL;

// The font list; its first font is the dialog font.
LockWord g_FontsLock;
const DialogFont g_Fonts[] = {{L"MS Sans Serif", 8.0f, FW_NORMAL, 0, ANSI_CHARSET}};

struct KindRule {
    int kind;
    const wchar_t* className;
    DWORD defaultStyle;
    DWORD added;
    DWORD removed;
};

// Window styles no child control may have: a control is never a popup,
// framed, scrolled, minimised or maximised, nor clips its neighbours.
constexpr DWORD kNotForControls = WS_POPUP | WS_MINIMIZE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_MAXIMIZE |
                                  WS_BORDER | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL | WS_SYSMENU |
                                  WS_THICKFRAME;
constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;  // also a label's default: left-aligned text

constexpr DWORD kFrameStyle = kVisibleChild | BS_GROUPBOX;
// Whatever button type or look is asked for, a frame stays a plain group
// box that is never a tab stop or the start of a group. 0x10 is a button
// type bit without a name of its own.
constexpr DWORD kFrameRemoved = kNotForControls | WS_GROUP | WS_TABSTOP | BS_FLAT | BS_NOTIFY | BS_PUSHLIKE |
                                BS_BITMAP | BS_ICON | BS_LEFTTEXT | 0x10 | (BS_TYPEMASK & ~BS_GROUPBOX);
constexpr DWORD kOptionAdded = kVisibleChild | BS_AUTORADIOBUTTON;
constexpr DWORD kOptionStyle = kOptionAdded | WS_TABSTOP;
// An option stays an automatic option button; tab stop and group pass.
constexpr DWORD kOptionRemoved = kNotForControls | BS_BITMAP | BS_ICON | (BS_TYPEMASK & ~BS_AUTORADIOBUTTON);
constexpr DWORD kComboBoxStyle = kVisibleChild | WS_TABSTOP | CBS_SORT | CBS_DROPDOWN;
static_assert(kVisibleChild == 0x50000000);
static_assert(kFrameStyle == 0x50000007 && kFrameRemoved == 0xA7FFD0F8);
static_assert(kOptionStyle == 0x50010009 && kOptionAdded == 0x50000009 && kOptionRemoved == 0xA7FC00C6);
static_assert(kComboBoxStyle == 0x50010102);

const KindRule kKindRules[] = {
    {Frame, L"BUTTON", kFrameStyle, kFrameStyle, kFrameRemoved},
    {Label, L"STATIC", kVisibleChild, kVisibleChild, 0},
    {Option, L"BUTTON", kOptionStyle, kOptionAdded, kOptionRemoved},
    {ComboBox, L"COMBOBOX", kComboBoxStyle, kVisibleChild, 0},
};

const KindRule* FindKindRule(int kind) {
    for (const KindRule& rule : kKindRules) {
        if (rule.kind == kind) return &rule;
    }
    return nullptr;
}

int ShowCommandFor(DWORD style) {
    if (style & WS_MAXIMIZE) return SW_MAXIMIZE;
    if (style & WS_MINIMIZE) return SW_MINIMIZE;
    return SW_SHOW;
}

// Writes the fields of a DLGTEMPLATEEX, which the headers do not declare.
class TemplateWriter {
public:
    explicit TemplateWriter(void* buffer) : at_(static_cast<unsigned char*>(buffer)) {}
    void Word(WORD value) { Put(&value, sizeof value); }
    void Dword(DWORD value) { Put(&value, sizeof value); }
    void Byte(BYTE value) { Put(&value, sizeof value); }
    void String(const wchar_t* text) { Put(text, (std::wcslen(text) + 1) * sizeof(wchar_t)); }

private:
    void Put(const void* data, size_t size) {
        std::memcpy(at_, data, size);
        at_ += size;
    }
    unsigned char* at_;
};

}  // namespace

DialogFont CurrentDialogFont() {
    LockWordHeld held(g_FontsLock);
    return g_Fonts[0];
}

HWND CreateDialogBox(int units, HWND owner, int16_t x, int16_t y, int16_t width, int16_t height,
                     DWORD style, DWORD exStyle, const Text& caption) {
    style = ((style == 0 ? kDefaultDialogStyle : style) | kDialogStyleAdded) & ~kDialogStyleRemoved;
    const DialogFont font = CurrentDialogFont();

    // Fits easily: the header is 26 bytes, the title 4, the font 6 plus a
    // face name of at most 32 characters.
    alignas(DWORD) unsigned char buffer[512];
    TemplateWriter dialog(buffer);
    dialog.Word(1);       // dlgVer
    dialog.Word(0xFFFF);  // signature
    dialog.Dword(0);      // helpID
    dialog.Dword(exStyle);
    dialog.Dword(style);
    dialog.Word(0);  // cDlgItems: controls are added afterwards
    dialog.Word(static_cast<WORD>(x));
    dialog.Word(static_cast<WORD>(y));
    dialog.Word(static_cast<WORD>(width));
    dialog.Word(static_cast<WORD>(height));
    dialog.Word(0);  // no menu
    dialog.Word(0);  // the system dialog class
    dialog.String(L" ");
    dialog.Word(static_cast<WORD>(std::lround(font.pointSize)));
    dialog.Word(static_cast<WORD>(font.weight));
    dialog.Byte(font.italic ? 1 : 0);
    dialog.Byte(font.charSet);
    dialog.String(font.faceName);

    HWND hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEW>(buffer), owner,
                                           ToolkitDlgProc, 0);
    SetWindowTextW(hwnd, ToWideText(caption).c_str());
    if (!hwnd) return nullptr;

    WindowRecord record;
    record.hwnd = hwnd;
    record.parent = owner;
    record.flags = kRecordDialog | (static_cast<uint32_t>(units) & kRecordUnitsMask);
    record.kind = 0;
    record.showCommand = ShowCommandFor(style);
    record.font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    record.style = style;
    if (!AddWindowRecord(record)) return nullptr;
    return hwnd;
}

void AddControl(int kind, HWND dialog, int32_t id, const Text& text, int x, int y, int width, int height,
                DWORD style, DWORD exStyle) {
    const auto owner = FindWindowRecord(dialog);
    const KindRule* rule = FindKindRule(kind);
    if (!owner || !(owner->flags & kRecordDialog) || !rule) return;
    const uint32_t units = owner->flags & kRecordUnitsMask;

    // Both edges are converted, so neighbouring controls meet exactly.
    RECT rect = {x, y, x + width, y + height};
    if (units == kUnitsDialog) MapDialogRect(dialog, &rect);

    style = ((style == 0 ? rule->defaultStyle : style) | rule->added) & ~rule->removed;
    HWND control = CreateWindowExW(exStyle, rule->className, ToWideText(text).c_str(), style, rect.left,
                                   rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (!control) return;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(owner->font), TRUE);

    WindowRecord record;
    record.hwnd = control;
    record.parent = dialog;
    record.flags = kRecordControl | units;
    record.kind = kind;
    record.style = style;
    record.exStyle = exStyle;
    AddWindowRecord(record);
}
