#include "cli/image_fit.h"

#include "calc/image_cover.h"

ImageFit FitImage(ImageSize image, const Canvas& canvas, Nanometres margin, int minPpi) {
    const CoverScale scale = CoverScaleOf(image.wide, image.high, canvas.width, canvas.length);
    const CoverSpan x = CoverSpanOf(image.wide, canvas.width, margin, scale);
    const CoverSpan y = CoverSpanOf(image.high, canvas.length, margin, scale);
    const int64_t perInch = scale.pixels * kNanometresPerInch;
    return {perInch * 10 / scale.length, perInch < minPpi * scale.length, x.crop, y.crop, x.start, y.start, x.size,
            y.size};
}
