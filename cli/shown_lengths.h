// The sheets, rolls and pixels the program shows: figures a print shop
// cuts by, so each is rounded the way that never leaves the canvas short.
#pragma once

#include "calc/canvas.h"

// A sheet or roll keeps its name, with its size in a metric unit beside
// it: "13 x 19 (330.2 x 482.6 mm)". "none" for no sheet or roll.
Text SheetText(const StockSheet* sheet, Unit unit);
Text RollText(const StockRoll* roll, Unit unit);

// The whole pixels that cover the length at `dpi` dots per inch.
Text PixelsAt(Nanometres length, int dpi);
