// Natural numbers in base 10^9, the digit generator's arithmetic: set from
// a 64-bit integer, multiplied by a 32-bit factor, and cut down to their
// leading limbs, rounding down or up.
#pragma once

#include <cstdint>

constexpr uint32_t kBase = 1000000000;
// Enough limbs for every product the digit generator forms: the longest, a
// 64-bit mantissa times 5^16445 (the smallest denormal's), has 11,515 digits.
constexpr int kAllLimbs = 1280;

// Least significant limb first, standing for its limbs times
// 10^(9 x dropped): the limbs below were cut off.
struct Limbs {
    uint32_t limb[kAllLimbs];
    int count;
    int dropped;
};

void SetInteger(Limbs& n, uint64_t m);
// n x factor; every limb product stays within 64 bits.
void MultiplyBy(Limbs& n, uint32_t factor);
// n + 1.
void AddOne(Limbs& n);
// Cuts limbs off the bottom until at most `kept` are left: rounded down, n
// stands for at most what it stood for; rounded up (one more for every cut
// that was not 0), for at least as much.
void Cut(Limbs& n, int kept, bool up);
