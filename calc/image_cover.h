// An image laid over a rectangle without resampling: it covers the
// rectangle at the lower of its two resolutions, and what is left over on
// the other side is cropped, centred. The command line's --pixels figures
// and the print file's layout both follow this one rule, in whatever unit
// of length their caller counts.
#pragma once

#include <cstdint>

// The resolution, pixels per unit of length, as the exact ratio
// pixels / length: the image's pixels and the rectangle's length along the
// side the image fills.
struct CoverScale {
    int64_t pixels;
    int64_t length;
};

// An image `wide` x `high` pixels over a rectangle `width` x `length`.
CoverScale CoverScaleOf(int64_t wide, int64_t high, int64_t width, int64_t length);

// One direction of the image over the rectangle.
struct CoverSpan {
    int64_t crop;   // pixels cut off, rounded up; the half before the
                    // rectangle is crop / 2, the odd one goes after it
    int64_t start;  // the first whole pixel past `margin` from the rectangle's edge
    int64_t size;   // the whole pixels within the rectangle less `margin` each end
};

// `pixels` of the image over `length`, at `scale`.
CoverSpan CoverSpanOf(int64_t pixels, int64_t length, int64_t margin, CoverScale scale);
