// Where texts meet the platform: the crossing to and from UTF-16 in the
// active ANSI code page, today's date, and the message box.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/text.h"

// Empty for the empty text and when the conversion fails.
std::wstring ToWideText(const Text& text);
Text FromWideText(const wchar_t* wide);

// Today's local date as "MM-DD-YYYY": the last four characters are the year.
Text CurrentDateText();

// A message box with no owner window, after a 5 ms pause; returns the
// identifier of the button that closed it.
int ShowMessage(const Text& text, const Text& caption, UINT style);
