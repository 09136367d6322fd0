#include "toolkit/exact_digits.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr int kShown = 18;
constexpr int kRead = kShown + 1;

uint32_t PowerOfFive(int exponent) {
    uint32_t power = 1;
    while (exponent-- > 0) power *= 5;
    return power;
}

// m x 2^exponent2, or m x 5^-exponent2 when the exponent is negative, in
// factors that keep every limb product within 64 bits, cut to `kept` limbs
// after each, rounding as `up` says.
void Scale(Limbs& n, int exponent2, int kept, bool up) {
    const bool twos = exponent2 > 0;
    for (int left = twos ? exponent2 : -exponent2; left > 0;) {
        const int step = std::min(left, twos ? 31 : 13);
        left -= step;
        MultiplyBy(n, twos ? uint32_t{1} << step : PowerOfFive(step));
        Cut(n, kept, up);
    }
}

// The nine digits of a limb, leading zeros included.
void WriteLimb(char* out, uint32_t limb) {
    for (int i = 8; i >= 0; --i, limb /= 10) out[i] = static_cast<char>('0' + limb % 10);
}

// Whether digits ending in `last` round up when `next` follows them, and
// after it digits that are not all 0 when `rest`: to nearest, ties to even.
bool RoundsUp(char last, char next, bool rest) {
    return next > '5' || (next == '5' && (rest || last % 2 == 1));  // '0' is even
}

// Adds one to the last of `count` digits, carrying to the left; true when
// the carry ran out of the first, which leaves 1 and zeros.
bool RoundUpDigits(char* digits, int count) {
    int i = count - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
        ++digits[i];
        return false;
    }
    digits[0] = '1';
    return true;
}

struct Reading {
    char digits[kRead];  // the first 19 digits, padded with '0'
    int length;          // how many digits the whole number has
    bool up;             // whether the first 18 round up: above half, or half and odd
};

Reading Read(const Limbs& n) {
    // The top limb has at least one digit that is not 0: with two more
    // limbs there are 19 digits, when the number has them.
    char head[27] = {};
    int next = n.count - 1;
    int written = 0;
    for (; written < 27 && next >= 0; written += 9) WriteLimb(head + written, n.limb[next--]);
    int skip = 0;
    while (head[skip] == '0') ++skip;

    Reading r;
    r.length = 9 - skip + 9 * (n.count - 1 + n.dropped);
    bool rest = false;
    for (int i = 0; i < written - skip; ++i) {
        if (i < kRead) {
            r.digits[i] = head[skip + i];
        } else {
            rest = rest || head[skip + i] != '0';
        }
    }
    for (int i = written - skip; i < kRead; ++i) r.digits[i] = '0';
    for (; next >= 0; --next) rest = rest || n.limb[next] != 0;
    r.up = RoundsUp(r.digits[kShown - 1], r.digits[kShown], rest);
    return r;
}

// The digits of m x 2^exponent2 from two products cut to `kept` limbs, one
// rounded down and one up, between which the exact one lies: it reads as
// they both do, or, when they read apart, the cut has left its rounding
// open and the answer is false.
bool TryDigits(uint64_t m, int exponent2, int kept, ExactDigits& result) {
    Limbs below, above;
    SetInteger(below, m);
    SetInteger(above, m);
    Scale(below, exponent2, kept, false);
    Scale(above, exponent2, kept, true);
    const Reading low = Read(below);
    const Reading high = Read(above);
    if (high.length != low.length || std::memcmp(high.digits, low.digits, kShown) != 0 || high.up != low.up) {
        return false;
    }
    std::memcpy(result.digits, low.digits, kShown);
    result.digits[kShown] = '0';
    result.count = kShown;
    // Below 1 the product stands over 10^-exponent2.
    result.point = low.length + (exponent2 < 0 ? exponent2 : 0);
    if (low.up && RoundUpDigits(result.digits, kShown)) ++result.point;
    return true;
}

}  // namespace

ExactDigits FirstDigits(long double value, int keptLimbs) {
    const long double magnitude = std::fabs(value);
    // x87 extended precision, read as it lies in memory: the mantissa with
    // its leading bit, then 15 bits of biased exponent; a field of 0 is the
    // exponent of the denormals.
    static_assert(std::numeric_limits<long double>::digits == 64, "the number layer works in x87 extended precision");
    unsigned char bytes[10];
    std::memcpy(bytes, &magnitude, sizeof bytes);
    uint64_t m;
    std::memcpy(&m, bytes, sizeof m);
    const int field = bytes[8] | bytes[9] << 8;
    // A mantissa of 0 is a zero; the field at its largest, an infinity or a NaN.
    if (keptLimbs < 1 || m == 0 || field == 0x7FFF) return {};
    int exponent2 = (field == 0 ? 1 : field) - 16383 - 63;
    // An odd mantissa: fewer factors to multiply by.
    const int zeros = std::countr_zero(m);
    m >>= zeros;
    exponent2 += zeros;
    // Each try that leaves the rounding open is followed by one with twice
    // the limbs; with all of them nothing is dropped, and that try settles.
    ExactDigits result;
    for (int kept = keptLimbs; !TryDigits(m, exponent2, kept, result);) kept = std::min(2 * kept, kAllLimbs);
    return result;
}

ExactDigits RoundedDigits(long double value, int count) {
    // One object returned on every path, so that it is built in place: this
    // is on the way of every number shown.
    ExactDigits shown = count >= 1 && count <= kShown ? FirstDigits(value) : ExactDigits{};
    if (shown.count == 0) return shown;
    if (RoundsUp(shown.digits[count - 1], shown.digits[count], false) && RoundUpDigits(shown.digits, count)) {
        ++shown.point;
    }
    shown.count = count;
    while (shown.digits[shown.count - 1] == '0') --shown.count;  // the first digit is never 0
    return shown;
}
