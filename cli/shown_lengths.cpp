#include "cli/shown_lengths.h"

#include <string>

namespace {

const char* const kNone = "none";

Text WithSize(const char* name, const Text& size, Unit unit) {
    return unit == Unit::Inch ? Text(name) : Text(name) + " (" + size + " " + UnitName(unit) + ")";
}

}  // namespace

Text SheetText(const StockSheet* sheet, Unit unit) {
    if (!sheet) return kNone;
    return WithSize(sheet->name, LengthText(sheet->shortSide, unit) + " x " + LengthText(sheet->longSide, unit), unit);
}

Text RollText(const StockRoll* roll, Unit unit) {
    return roll ? WithSize(roll->name, LengthText(roll->width, unit), unit) : kNone;
}

Text PixelsAt(Nanometres length, int dpi) {
    return std::to_string(DivideUp(length * dpi, kNanometresPerInch));
}
