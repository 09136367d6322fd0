#include "calc/image_cover.h"

#include <algorithm>

#include "calc/length.h"

CoverScale CoverScaleOf(int64_t wide, int64_t high, int64_t width, int64_t length) {
    // The lower resolution is the one that still covers the other side.
    return wide * length <= high * width ? CoverScale{wide, width} : CoverScale{high, length};
}

// The image part that is cropped lies half before the rectangle, so a point
// `at` from the rectangle's edge is image pixel (spare / 2 + at * scale)
// with spare = pixels - length * scale; every term is taken over
// 2 * scale.length to stay in whole numbers.
CoverSpan CoverSpanOf(int64_t pixels, int64_t length, int64_t margin, CoverScale scale) {
    const int64_t spare = pixels * scale.length - length * scale.pixels;
    const int64_t start = DivideUp(spare + 2 * margin * scale.pixels, 2 * scale.length);
    const int64_t end = (spare + 2 * (length - margin) * scale.pixels) / (2 * scale.length);
    return {DivideUp(spare, scale.length), start, std::max<int64_t>(end - start, 0)};
}
