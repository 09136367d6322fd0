// Whole-number division that never comes out short: a length in pixels or
// in a print unit rounded so that the canvas it measures is never too small.
#pragma once

#include <cstdint>

// numerator / denominator rounded up, for a numerator of 0 or more.
inline int64_t DivideUp(int64_t numerator, int64_t denominator) {
    return (numerator + denominator - 1) / denominator;
}
