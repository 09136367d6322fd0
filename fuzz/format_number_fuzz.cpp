// FormatNumber on arbitrary finite long double bit patterns and digit counts
// 0 to 20: one of the four layouts, at most 26 characters, and the digits of
// the exact binary value, worked out here the slow and obvious way.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/text.h"

namespace {

// A natural number in base 10^18, least significant limb first.
using Big = std::vector<uint64_t>;
constexpr uint64_t kBase = 1000000000000000000ull;

void Multiply(Big& n, uint64_t factor) {
    unsigned __int128 carry = 0;
    for (uint64_t& limb : n) {
        unsigned __int128 product = static_cast<unsigned __int128>(limb) * factor + carry;
        limb = static_cast<uint64_t>(product % kBase);
        carry = product / kBase;
    }
    while (carry) {
        n.push_back(static_cast<uint64_t>(carry % kBase));
        carry /= kBase;
    }
}

std::string Decimal(const Big& n) {
    std::string digits = std::to_string(n.back());
    for (size_t i = n.size() - 1; i-- > 0;) {
        std::string limb = std::to_string(n[i]);
        digits += std::string(18 - limb.size(), '0') + limb;
    }
    return digits;
}

// All the significant digits of |v| and the point: |v| = 0.digits x 10^point.
std::string ExactDigits(long double v, int& point) {
    unsigned char bytes[16] = {};
    std::memcpy(bytes, &v, 10);
    uint64_t mantissa;
    std::memcpy(&mantissa, bytes, 8);
    int exponentField = (bytes[8] | (bytes[9] << 8)) & 0x7FFF;
    int exponent = (exponentField == 0 ? 1 : exponentField) - 16383 - 63;

    Big n = {mantissa % kBase, mantissa / kBase};
    while (n.size() > 1 && n.back() == 0) n.pop_back();
    int shift = 0;
    // In steps that keep a limb times the factor within 128 bits.
    if (exponent >= 0) {
        for (int left = exponent; left > 0; left -= 63) Multiply(n, uint64_t{1} << std::min(left, 63));
    } else {
        // m / 2^k = m * 5^k / 10^k
        for (int left = -exponent; left > 0; left -= 27) {
            uint64_t power = 1;
            for (int i = 0; i < std::min(left, 27); ++i) power *= 5;
            Multiply(n, power);
        }
        shift = exponent;
    }
    std::string digits = Decimal(n);
    point = static_cast<int>(digits.size()) + shift;
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
    const std::string exact = ExactDigits(value, exactPoint);
    int point18 = exactPoint;
    const std::string first18 = Round(exact, 18, true, point18);
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
