#include "cli/image_fit.h"

#include <algorithm>

namespace {

struct Span {
    int64_t crop;
    int64_t start;
    int64_t size;
};

// One direction of the image: `pixels` over `canvas` nanometres at the
// scale of pixels/canvas = perPixels/perCanvas. The image part that is
// cropped lies half before the canvas, so the front face starts at
// (spare / 2 + margin * scale) with spare = pixels - canvas * scale; every
// term is taken over 2 * perCanvas to stay in whole numbers.
Span SpanOf(int64_t pixels, int64_t canvas, int64_t margin, int64_t perPixels, int64_t perCanvas) {
    const int64_t spare = pixels * perCanvas - canvas * perPixels;
    const int64_t start = DivideUp(spare + 2 * margin * perPixels, 2 * perCanvas);
    const int64_t end = (spare + 2 * (canvas - margin) * perPixels) / (2 * perCanvas);
    return {DivideUp(spare, perCanvas), start, std::max<int64_t>(end - start, 0)};
}

}  // namespace

ImageFit FitImage(ImageSize image, const Canvas& canvas, Nanometres margin, int minPpi) {
    const int64_t w = canvas.width;
    const int64_t l = canvas.length;
    // The image covers the canvas at the lower of its two resolutions.
    const bool byWidth = image.wide * l <= image.high * w;
    const int64_t perPixels = byWidth ? image.wide : image.high;
    const int64_t perCanvas = byWidth ? w : l;
    const Span x = SpanOf(image.wide, w, margin, perPixels, perCanvas);
    const Span y = SpanOf(image.high, l, margin, perPixels, perCanvas);
    return {perPixels * kNanometresPerInch * 10 / perCanvas, perPixels * kNanometresPerInch < minPpi * perCanvas,
            x.crop, y.crop, x.start, y.start, x.size, y.size};
}
