#include "cli/shown_lengths.h"

#include <string>

namespace {

constexpr int64_t kMicro = 1000000;
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
    int places = -1;
    for (char c : inches) {
        if (c == '.') {
            places = 0;
        } else {
            micro = micro * 10 + (c - '0');
            if (places >= 0) ++places;
        }
    }
    for (places = places < 0 ? 0 : places; places < kMicroPlaces; ++places) micro *= 10;
    return micro;
}

int64_t DivideUp(int64_t numerator, int64_t denominator) {
    return (numerator + denominator - 1) / denominator;
}

Text ScaledText(int64_t value, int places) {
    Text text = std::to_string(value);
    if (text.size() < static_cast<size_t>(places)) text.insert(0, places - text.size(), '0');
    text.insert(text.size() - places, 1, '.');
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text.empty() ? "0" : text;
}

Text LengthText(const Text& inches, Unit unit) {
    if (unit == Unit::Inch || inches.empty()) return inches;
    const int64_t tenths = DivideUp(MicroInches(inches) * kTenthMillimetresPerInch, kMicro);
    return ScaledText(tenths, unit == Unit::Millimetre ? 1 : 2);
}

Text NameWithSize(const Text& name, Unit unit) {
    if (unit == Unit::Inch || name.empty() || name == "none") return name;
    Text metric;
    for (size_t start = 0;;) {
        const size_t end = name.find(" x ", start);
        metric += LengthText(name.substr(start, end - start), unit);
        if (end == Text::npos) break;
        metric += " x ";
        start = end + 3;
    }
    return name + " (" + metric + " " + UnitName(unit) + ")";
}

Text PixelsAt(const Text& inches, int dpi) {
    return std::to_string(DivideUp(MicroInches(inches) * dpi, kMicro));
}
