// The significant decimal digits of a binary floating-point value: the first
// 18 of its exact value, correctly rounded (ties to even), and those rounded
// again to the count a number is shown with.
#pragma once

#include "toolkit/limbs.h"

struct ExactDigits {
    // '0' to '9', the first not '0'; a '0' stands after the last of the 18,
    // so that rounding to any count up to 18 finds a next digit to look at.
    char digits[19];
    int count;  // how many digits stand
    int point;  // the value is 0.d1d2...dcount x 10^point
};

// How many base-10^9 limbs the first try keeps; see FirstDigits. With
// kAllLimbs nothing is ever cut.
constexpr int kFirstTryLimbs = 6;

// The first 18 digits of `value`; its sign is ignored. A value with no
// digits to give (0, an infinity, a NaN) or a `keptLimbs` below 1, with
// which the tries would never grow, gives none: count 0. The value is its
// mantissa times a power of 2, that is an integer times a power of 2 or a
// power of 5 over the same power of 10; the product is formed in base
// 10^9. A first try keeps at most the leading `keptLimbs` limbs of it,
// twice: cut rounding down and cut rounding up, so that the exact product
// lies between the two. Where both read the same 18 digits,
// rounded the same way, so does the exact one; where they do not, the
// product is formed again with twice the limbs, and so on up to all of them,
// where nothing is cut. Whatever `keptLimbs` is, the digits are those of the
// exact value; the count only decides how often the first try settles them
// (with the default, for every value tried).
ExactDigits FirstDigits(long double value, int keptLimbs = kFirstTryLimbs);

// The digits `value` is shown with for `count` significant digits (1 to 18;
// any other count, like a value FirstDigits gives none for, gives count 0):
// the first 18 rounded to `count` by looking at the next digit alone (ties
// to even; a carry out of the first digit leaves 1 and raises the point),
// then trailing zeros dropped. Digits after the next one are never
// consulted: with 7, digits 1234566569... keep 1234566.
ExactDigits RoundedDigits(long double value, int count);
