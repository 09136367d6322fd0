#include "toolkit/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "toolkit/exact_digits.h"

namespace {

constexpr int kMaxDigits = 18;
constexpr int kClampExponent = 4933;
constexpr int kExponentCap = 9999;

// 10^n for 0 <= n <= 8191 as the product of table entries picked by the bits
// of n: the small powers are exact, the large ones correctly rounded.
long double PowerOfTen(int n) {
    static const long double small[] = {1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L};
    static const long double large[] = {1e8L,   1e16L,  1e32L,   1e64L,   1e128L,
                                        1e256L, 1e512L, 1e1024L, 1e2048L, 1e4096L};
    long double power = small[n & 7];
    for (int bit = 3; (n >> bit) != 0; ++bit) {
        if ((n >> bit) & 1) {
            power *= large[bit - 3];
        }
    }
    return power;
}

// 10^4932 is the largest power of ten long double holds; a division by a
// larger one is done in two steps, so that tiny values that long double can
// hold do not become 0.
constexpr int kLargestFinitePower = 4932;

long double ScaleByPowerOfTen(std::uint64_t integer, int exponent) {
    long double value = static_cast<long double>(integer);
    if (exponent >= 0) {
        return value * PowerOfTen(exponent);
    }
    int divisor = -exponent;
    if (divisor > kLargestFinitePower) {
        value /= PowerOfTen(4096);
        divisor -= 4096;
    }
    return value / PowerOfTen(divisor);
}

bool IsSkippedBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

Text FormatNumber(long double value, int digits) {
    if (std::isnan(value)) return " NaN";
    if (std::isinf(value)) return std::signbit(value) ? "-Inf" : " Inf";
    if (value == 0) return " 0";

    const int wanted = digits <= 0 ? kMaxDigits : std::min(digits, kMaxDigits);

    // value = 0.d1d2...dn x 10^point, n at most `wanted`.
    const ExactDigits shown = RoundedDigits(value, wanted);
    const char* const mantissa = shown.digits;
    const int n = shown.count;
    const int point = shown.point;

    char out[32];
    char* p = out;
    *p++ = std::signbit(value) ? '-' : ' ';
    if (n <= point && point <= wanted) {
        p = std::copy(mantissa, mantissa + n, p);
        p = std::fill_n(p, point - n, '0');
    } else if (0 < point && point < n) {
        p = std::copy(mantissa, mantissa + point, p);
        *p++ = '.';
        p = std::copy(mantissa + point, mantissa + n, p);
    } else if (point <= 0 && n - point <= wanted) {
        *p++ = '.';
        p = std::fill_n(p, -point, '0');
        p = std::copy(mantissa, mantissa + n, p);
    } else {
        *p++ = mantissa[0];
        if (n > 1) {
            *p++ = '.';
            p = std::copy(mantissa + 1, mantissa + n, p);
        }
        // Here the exponent is never 0: the layouts above take every point
        // from 0 to 1. to_chars writes the sign of a negative one.
        *p++ = 'E';
        if (point > 0) *p++ = '+';
        p = std::to_chars(p, out + sizeof out, point - 1).ptr;
    }
    return Text(out, p);
}

Text TrimBlanks(const Text& text) {
    auto first = text.find_first_not_of(' ');
    if (first == Text::npos) return Text();
    auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The text is read up to its terminating zero, which ends a number like any
// other character that cannot be part of one; so does a zero inside it.
long double ParseNumber(const Text& text) {
    const char* s = text.c_str();
    while (IsSkippedBlank(*s)) ++s;

    const bool negative = *s == '-';
    if (*s == '+' || *s == '-') ++s;

    std::uint64_t gathered = 0;
    int gatheredCount = 0;   // G: significant digits kept, at most 18
    int wholeDigits = 0;     // W: the decimal position of the first significant digit
    bool seenPoint = false;
    for (;; ++s) {
        const char c = *s;
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (!IsDigit(c)) break;
        if (c == '0' && gathered == 0) {
            if (seenPoint) --wholeDigits;
            continue;
        }
        if (!seenPoint) ++wholeDigits;
        if (gatheredCount < kMaxDigits) {
            gathered = gathered * 10 + static_cast<unsigned>(c - '0');
            ++gatheredCount;
        }
    }

    int exponent = 0;
    if (*s == 'E' || *s == 'e' || *s == 'D' || *s == 'd') {
        ++s;
        const bool negativeExponent = *s == '-';
        if (*s == '+' || *s == '-') ++s;
        for (; IsDigit(*s); ++s) exponent = std::min(exponent * 10 + (*s - '0'), kExponentCap);
        if (negativeExponent) exponent = -exponent;
    }

    // No digit at all, or only zeros: nothing gathered, and the value is 0.
    long double result;
    if (gathered == 0) {
        result = 0;
    } else if (wholeDigits + exponent >= kClampExponent) {
        result = 0x1p127L;
    } else if (wholeDigits + exponent <= -kClampExponent) {
        result = 0;
    } else {
        result = ScaleByPowerOfTen(gathered, wholeDigits + exponent - gatheredCount);
    }
    return negative ? -result : result;
}

Text RightPart(const Text& text, int count) {
    const size_t kept = std::min(text.size(), static_cast<size_t>(std::max(count, 0)));
    return text.substr(text.size() - kept);
}

Text CharText(int code) {
    return Text(1, static_cast<char>(code & 0xFF));
}

Text Concat(const Text& left, const Text& right) {
    return left + right;
}

bool TextEquals(const Text& left, const Text& right) {
    return left == right;
}
