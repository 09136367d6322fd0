// The first 18 significant decimal digits of a binary floating-point value,
// from its exact value and correctly rounded (ties to even).
#pragma once

struct ExactDigits {
    // '0' to '9', the first not '0'; a nineteenth '0' stands after them, so
    // that rounding to any count up to 18 finds a next digit to look at.
    char digits[19];
    int point;  // the value is 0.d1d2...d18 x 10^point
};

// How many base-10^9 limbs the first try keeps; see FirstDigits.
constexpr int kFirstTryLimbs = 6;

// `value` is finite and not 0; its sign is ignored. The value is its
// mantissa times a power of 2, that is an integer times a power of 2 or a
// power of 5 over the same power of 10; the product is formed in base 10^9.
// A first try keeps only the leading `keptLimbs` limbs and a bound on what
// it dropped, which settles the rounding unless the digits after the 18th lie
// within that bound of a rounding boundary; then the product is formed again
// in full. Single-precision values and the like never need more than a few
// limbs.
ExactDigits FirstDigits(long double value, int keptLimbs = kFirstTryLimbs);

// Adds one to the last of `count` digits, carrying to the left; true when
// the carry ran out of the first, which leaves 1 and zeros.
bool RoundUpDigits(char* digits, int count);
