#include "calc/length.h"

#include <algorithm>
#include <string>

namespace {

// Lengths from 10^7 of a unit up are all taken as that much: 10 km, far
// beyond what any check lets through, and 2.54 x 10^14 nm at the most.
constexpr int64_t kLargestCounted = 10000000;

// Shown inches have five decimals: 0.00001 in is 254 nm.
constexpr Nanometres kInchStep = kNanometresPerInch / 100000;

Nanometres NanometresPer(Unit unit) {
    switch (unit) {
    case Unit::Millimetre: return 1000000;
    case Unit::Centimetre: return 10000000;
    case Unit::Inch: break;
    }
    return kNanometresPerInch;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The unit a text ends in, taken off it; inches when it names none.
Unit TakeUnit(std::string_view& text) {
    if (text.size() >= 2) {
        const char suffix[] = {Lower(text[text.size() - 2]), Lower(text[text.size() - 1]), '\0'};
        for (Unit unit : {Unit::Inch, Unit::Millimetre, Unit::Centimetre}) {
            if (std::string_view(suffix) == UnitName(unit)) {
                text.remove_suffix(2);
                return unit;
            }
        }
    }
    return Unit::Inch;
}

}  // namespace

const char* UnitName(Unit unit) {
    switch (unit) {
    case Unit::Millimetre: return "mm";
    case Unit::Centimetre: return "cm";
    case Unit::Inch: break;
    }
    return "in";
}

std::optional<Nanometres> ReadLength(std::string_view text) {
    const Nanometres per = NanometresPer(TakeUnit(text));
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.size() + fraction.size() == 0) return std::nullopt;
    int64_t units = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return std::nullopt;
        units = std::min(units * 10 + (c - '0'), kLargestCounted);
    }
    // The fraction's nanometres, 0.d1d2...dn x per, from the last digit to
    // the first: each step divides (digit x per + what the later digits
    // gave) by ten, and a remainder anywhere means the exact value lies
    // above the whole nanometres kept.
    int64_t nanometres = 0;
    bool beyond = false;
    for (auto c = fraction.rbegin(); c != fraction.rend(); ++c) {
        if (*c < '0' || *c > '9') return std::nullopt;
        const int64_t tenfold = (*c - '0') * per + nanometres;
        beyond = beyond || tenfold % 10 != 0;
        nanometres = tenfold / 10;
    }
    if (units == kLargestCounted) return units * per;
    return units * per + nanometres + (beyond ? 1 : 0);
}

Nanometres RoundUpToShown(Nanometres length, Unit unit) {
    return unit == Unit::Inch ? DivideUp(length, kInchStep) * kInchStep : length;
}

Text LengthText(Nanometres length, Unit unit) {
    switch (unit) {
    case Unit::Millimetre: return DecimalText(length, 6);
    case Unit::Centimetre: return DecimalText(length, 7);
    case Unit::Inch: break;
    }
    return DecimalText(DivideUp(length, kInchStep), 5);
}

Text DecimalText(int64_t value, int places) {
    Text digits = std::to_string(value);
    const size_t width = static_cast<size_t>(places) + 1;
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    const Text whole = digits.substr(0, digits.size() - static_cast<size_t>(places));
    Text fraction = digits.substr(whole.size());
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (fraction.empty()) return whole;
    return (whole == "0" ? Text() : whole) + "." + fraction;
}

int64_t DivideUp(int64_t numerator, int64_t denominator) {
    return (numerator + denominator - 1) / denominator;
}
