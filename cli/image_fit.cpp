#include "cli/image_fit.h"

#include "calc/image_cover.h"
#include "cli/shown_lengths.h"

ImageFit FitImage(ImageSize image, const Text& width, const Text& length, int64_t margin, int minPpi) {
    const int64_t w = MicroInches(width);
    const int64_t l = MicroInches(length);
    const CoverScale scale = CoverScaleOf(image.wide, image.high, w, l);
    const CoverSpan x = CoverSpanOf(image.wide, w, margin, scale);
    const CoverSpan y = CoverSpanOf(image.high, l, margin, scale);
    return {scale.pixels * kMicroPerInch * 10 / scale.length, scale.pixels * kMicroPerInch < minPpi * scale.length,
            x.crop, y.crop, x.start, y.start, x.size, y.size};
}
