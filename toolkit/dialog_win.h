// Dialogs from in-memory templates, placed in dialog units, and the child
// controls put on them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/text.h"

// The control kinds this program uses; each fixes a window class and the
// rules for its style.
enum ControlKind : int {
    Frame = 4,     // group box
    Label = 5,     // static text
    Option = 7,    // automatic option button
    ComboBox = 24,
};

// The dialog font every template takes.
struct DialogFont {
    wchar_t faceName[32];
    float pointSize;
    int32_t weight;
    uint8_t italic;
    uint8_t charSet;
};
DialogFont CurrentDialogFont();

// A hidden dialog with no controls; 0 when none could be made. units 1:
// dialog units, 2: pixels. style 0 gives a fixed-size dialog with a caption
// and no system menu. The caption is set after creation, so its length is
// not limited by the template.
HWND CreateDialogBox(int units, HWND owner, int16_t x, int16_t y, int16_t width, int16_t height,
                     DWORD style, DWORD exStyle, const Text& caption);

// One child control of a toolkit dialog, in the dialog's units; style 0
// gives the kind's default. Does nothing for an unknown kind or a window
// that is not a toolkit dialog.
void AddControl(int kind, HWND dialog, int32_t id, const Text& text, int x, int y, int width, int height,
                DWORD style, DWORD exStyle);
