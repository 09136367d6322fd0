#include "cli/shown_lengths.h"

namespace {

constexpr int kMicroPlaces = 6;
// Tenths of a millimetre, which are also hundredths of a centimetre, in an inch.
constexpr int64_t kTenthMillimetresPerInch = 254;

}  // namespace

const char* UnitName(Unit unit) {
    switch (unit) {
    case Unit::Millimetre: return "mm";
    case Unit::Centimetre: return "cm";
    case Unit::Inch: break;
    }
    return "in";
}

int64_t MicroInches(const Text& inches) {
    int64_t micro = 0;
    int places = kMicroPlaces;
    bool point = false;
    for (char c : inches) {
        if (c == '.') {
            point = true;
        } else {
            micro = micro * 10 + (c - '0');
            if (point) --places;
        }
    }
    for (; places > 0; --places) micro *= 10;
    return micro;
}

// The quotient, correctly rounded in extended precision, lies so near the
// decimal it stands for (at most 18 digits) that 18 significant digits give
// that decimal back.
Text ScaledText(int64_t value, int places) {
    long double scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    return TrimBlanks(FormatNumber(value / scale, 18));
}

Text LengthText(const Text& inches, Unit unit) {
    if (unit == Unit::Inch || inches.empty()) return inches;
    const int64_t tenths = DivideUp(MicroInches(inches) * kTenthMillimetresPerInch, kMicroPerInch);
    return ScaledText(tenths, unit == Unit::Millimetre ? 1 : 2);
}

// The names are a roll's width, "17", or a sheet's sides, "13 x 19".
Text NameWithSize(const Text& name, Unit unit) {
    if (unit == Unit::Inch || name.empty() || name == "none") return name;
    const size_t x = name.find(" x ");
    const Text size = x == Text::npos
                          ? LengthText(name, unit)
                          : LengthText(name.substr(0, x), unit) + " x " + LengthText(name.substr(x + 3), unit);
    return name + " (" + size + " " + UnitName(unit) + ")";
}

Text PixelsAt(const Text& inches, int dpi) {
    return std::to_string(DivideUp(MicroInches(inches) * dpi, kMicroPerInch));
}
