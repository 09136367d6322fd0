// An image printed over a whole canvas: the resolution it prints at, what is
// cropped to the canvas's proportions, and the part that shows on the front
// face once the sides are wrapped.
#pragma once

#include <cstdint>

#include "calc/canvas.h"

struct ImageSize {
    int64_t wide;  // pixels across the image, along the canvas width
    int64_t high;  // pixels down it, along the canvas length
};

struct ImageFit {
    int64_t ppiTenths;     // pixels per inch in tenths, rounded down
    bool belowMinimum;     // under the minimum asked for, before any rounding
    int64_t cropWide;      // pixels cut off the width, half on each side, rounded up
    int64_t cropHigh;      // the same off the height
    int64_t frontLeft;     // the front face: the whole pixels that show on it,
    int64_t frontTop;      // counted from the image's top left pixel
    int64_t frontWide;
    int64_t frontHigh;
};

// The image scaled to cover the canvas, centred; the front face is the
// canvas less `margin` on every side. Images of up to 10^6 pixels a side on
// canvases of up to 10^11 nm (over 3900 in) keep every product within 64 bits.
ImageFit FitImage(ImageSize image, const Canvas& canvas, Nanometres margin, int minPpi);
