// FormatNumber on arbitrary finite long double bit patterns and digit counts
// 0 to 20: one of the four layouts, at most 26 characters, and the digits of
// the exact binary value, worked out here the slow and obvious way; and
// the digit generator's first try, with any number of kept limbs, agrees.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/exact_digits.h"
#include "toolkit/text.h"

namespace {

// A natural number in base 10^9, least significant limb first. Limb products
// stay within 64 bits, so no step needs wider arithmetic.
using Big = std::vector<uint32_t>;
constexpr uint64_t kBase = 1000000000;

Big Times(const Big& a, const Big& b) {
    std::vector<uint64_t> sum(a.size() + b.size() + 1, 0);
    for (size_t i = 0; i < a.size(); ++i) {
        uint64_t carry = 0;
        for (size_t j = 0; j < b.size(); ++j) {
            const uint64_t t = sum[i + j] + uint64_t{a[i]} * b[j] + carry;
            sum[i + j] = t % kBase;
            carry = t / kBase;
        }
        for (size_t k = i + b.size(); carry; ++k) {
            const uint64_t t = sum[k] + carry;
            sum[k] = t % kBase;
            carry = t / kBase;
        }
    }
    while (sum.size() > 1 && sum.back() == 0) sum.pop_back();
    return Big(sum.begin(), sum.end());
}

uint64_t SmallPower(uint32_t base, int exponent) {
    uint64_t power = 1;
    while (exponent-- > 0) power *= base;
    return power;
}

Big FromInteger(uint64_t n) {
    Big big;
    do {
        big.push_back(static_cast<uint32_t>(n % kBase));
        n /= kBase;
    } while (n);
    return big;
}

// n x base^exponent, for base 2 or 5. Every 16th power is kept, so a fuzz
// run pays for each power once and then one pass over it per input.
Big Scaled(const Big& n, uint32_t base, int exponent) {
    static std::vector<Big> kept[2];
    std::vector<Big>& steps = kept[base == 5];
    if (steps.empty()) steps.push_back(FromInteger(1));
    while (static_cast<int>(steps.size()) <= exponent / 16) {
        steps.push_back(Times(steps.back(), FromInteger(SmallPower(base, 16))));
    }
    return Times(steps[exponent / 16], Times(n, FromInteger(SmallPower(base, exponent % 16))));
}

// The significant digits of |v| and the point, |v| = 0.digits x 10^point.
// Only the first 19 digits matter to the rounding; when any digit after
// them is not 0, a 1 stands for all of them.
std::string ExactExpansion(long double v, int& point) {
    unsigned char bytes[16] = {};
    std::memcpy(bytes, &v, 10);
    uint64_t mantissa;
    std::memcpy(&mantissa, bytes, 8);
    int exponentField = (bytes[8] | (bytes[9] << 8)) & 0x7FFF;
    int exponent = (exponentField == 0 ? 1 : exponentField) - 16383 - 63;

    // m x 2^e, and for e < 0, m / 2^k = m x 5^k / 10^k.
    const Big m = FromInteger(mantissa);
    const Big n = exponent >= 0 ? Scaled(m, 2, exponent) : Scaled(m, 5, -exponent);
    std::string digits = std::to_string(n.back());
    const int count = static_cast<int>(digits.size() + 9 * (n.size() - 1));
    for (size_t i = n.size() - 1; i-- > 0 && digits.size() < 19;) {
        const std::string limb = std::to_string(n[i]);
        digits += std::string(9 - limb.size(), '0') + limb;
    }
    const size_t dropped = static_cast<size_t>(count) - digits.size();
    bool rest = false;
    for (size_t i = 0; i < dropped / 9; ++i) rest = rest || n[i] != 0;
    if (rest) digits += '1';
    point = count + (exponent >= 0 ? 0 : exponent);
    return digits;
}

// Rounds a digit string to `count` digits, ties to even; looks at every
// digit when `allDigits`, at the next digit only otherwise.
std::string Round(std::string digits, size_t count, bool allDigits, int& point) {
    if (digits.size() <= count) return digits + std::string(count - digits.size(), '0');
    bool up;
    const char next = digits[count];
    const bool restZero = digits.find_first_not_of('0', count + 1) == std::string::npos;
    if (next != '5' || (allDigits && !restZero)) {
        up = next > '5' || (next == '5');
    } else {
        up = (digits[count - 1] - '0') % 2 == 1;
    }
    digits.resize(count);
    if (up) {
        size_t i = count;
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++point;
        } else {
            ++digits[i - 1];
        }
    }
    return digits;
}

std::string WithoutTrailingZeros(std::string digits) {
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    return digits;
}

// Reads the digits and point back from one of the four layouts; aborts on
// anything else.
std::string Shown(const Text& text, int& point) {
    if (text.size() < 2 || text.size() > 26 || (text[0] != ' ' && text[0] != '-')) std::abort();
    std::string digits;
    int pointAt = -1;
    size_t i = 1;
    for (; i < text.size() && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            if (pointAt >= 0) std::abort();
            pointAt = static_cast<int>(digits.size());
        } else if (text[i] >= '0' && text[i] <= '9') {
            digits += text[i];
        } else {
            std::abort();
        }
    }
    if (digits.empty()) std::abort();
    if (pointAt >= 0 && digits.back() == '0') std::abort();  // no trailing zeros after a point
    if (i < text.size()) {
        // d[.ddd]E+x / E-x: one digit before the point, 1 to 4 exponent digits
        if (pointAt >= 0 && pointAt != 1) std::abort();
        if (digits[0] == '0') std::abort();
        if (i + 2 >= text.size() + 1 || (text[i + 1] != '+' && text[i + 1] != '-')) std::abort();
        std::string exponent = text.substr(i + 2);
        if (exponent.empty() || exponent.size() > 4 || (exponent[0] == '0' && exponent.size() > 1)) std::abort();
        for (char c : exponent) {
            if (c < '0' || c > '9') std::abort();
        }
        point = std::atoi(exponent.c_str()) * (text[i + 1] == '-' ? -1 : 1) + 1;
        return digits;
    }
    if (pointAt == 0) {
        // .000ddd
        size_t zeros = digits.find_first_not_of('0');
        point = -static_cast<int>(zeros);
        return digits.substr(zeros);
    }
    if (digits[0] == '0' && digits.size() > 1) std::abort();
    point = pointAt >= 0 ? pointAt : static_cast<int>(digits.size());
    return WithoutTrailingZeros(digits);
}


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 11) return 0;
    // Only canonical encodings: the explicit integer bit is set exactly when
    // the exponent field is not 0 (pseudo-denormals and unnormals are not
    // values the hardware makes).
    unsigned char bits[16] = {};
    std::memcpy(bits, data, 10);
    const bool normal = ((bits[8] | (bits[9] << 8)) & 0x7FFF) != 0;
    bits[7] = static_cast<unsigned char>(normal ? bits[7] | 0x80 : bits[7] & 0x7F);
    long double value = 0;
    std::memcpy(&value, bits, 10);
    const int digits = data[10] % 21;
    if (!std::isfinite(value)) return 0;

    const Text text = FormatNumber(value, digits);
    if (value == 0) {
        if (text != " 0") std::abort();
        return 0;
    }
    if ((text[0] == '-') != std::signbit(value)) std::abort();

    int exactPoint = 0;
    const std::string exact = ExactExpansion(value, exactPoint);
    int point18 = exactPoint;
    const std::string first18 = Round(exact, 18, true, point18);
    // However few limbs the digit generator's first try keeps (a count from
    // 1 to the default, taken from the input), it comes to the exact digits.
    const int kept = 1 + data[10] / 21 % kFirstTryLimbs;
    const ExactDigits tried = FirstDigits(value, kept);
    if (std::string(tried.digits, 18) != first18 || tried.point != point18) {
        std::fprintf(stderr, "FirstDigits with %d limbs gave %.18s x 10^%d; the exact digits are %s x 10^%d\n", kept,
                     tried.digits, tried.point, first18.c_str(), point18);
        std::abort();
    }
    const int wanted = digits == 0 || digits > 18 ? 18 : digits;
    int point = point18;
    const std::string expected = WithoutTrailingZeros(Round(first18, static_cast<size_t>(wanted), false, point));

    int shownPoint = 0;
    const std::string shown = Shown(text, shownPoint);
    if (shown != expected || shownPoint != point) {
        std::fprintf(stderr, "FormatNumber gave \"%s\"; the exact digits are %s x 10^%d\n", text.c_str(),
                     expected.c_str(), point);
        std::abort();
    }
    return 0;
}
