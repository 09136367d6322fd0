#include "print/print_layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "calc/length.h"
#include "calc/image_cover.h"

namespace {

// A length at the resolution, rounded up: the file never makes a side or a
// turn-over narrower than asked.
int64_t PixelsOf(int64_t nanometres, CoverScale scale) {
    return DivideUp(nanometres * scale.pixels, scale.length);
}

// `image`: the whole canvas is image; the folds lie at the nearest pixel
// boundary to where the lengths put them, measured from the cropped image's
// edge, which sits (canvas * scale - face) / 2 pixels inside the canvas's.
LayoutAxis ImageAxis(int64_t pixels, int64_t canvas, int64_t side, int64_t turnOver, CoverScale scale) {
    const CoverSpan span = CoverSpanOf(pixels, canvas, 0, scale);
    const int64_t face = pixels - span.crop;
    const auto foldAt = [&](int64_t nanometres) {
        // Twice the position, over 2 * scale.length.
        const int64_t twice = 2 * nanometres * scale.pixels - (canvas * scale.pixels - face * scale.length);
        return twice <= 0 ? 0 : RoundedRatio(twice, 2 * scale.length);
    };
    return {span.crop / 2, face, 0, 0, foldAt(turnOver), foldAt(turnOver + side)};
}

LayoutAxis EdgeAxis(int64_t pixels, int64_t face, int64_t side, int64_t turnOver, CoverScale scale) {
    const CoverSpan span = CoverSpanOf(pixels, face, 0, scale);
    const int64_t turnPixels = PixelsOf(turnOver, scale);
    const int64_t band = PixelsOf(side, scale) + turnPixels;
    return {span.crop / 2, pixels - span.crop, band, 0, turnPixels, band};
}

}  // namespace

int64_t RoundedRatio(int64_t numerator, int64_t denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

PrintLayout LayOut(const LayoutRequest& r) {
    PrintLayout layout;
    CoverScale scale;
    if (r.edge == EdgeKind::Image) {
        const int64_t wrap = 2 * (r.side + r.turnOver);
        scale = CoverScaleOf(r.imageWide, r.imageHigh, r.faceWidth + wrap, r.faceLength + wrap);
        layout.x = ImageAxis(r.imageWide, r.faceWidth + wrap, r.side, r.turnOver, scale);
        layout.y = ImageAxis(r.imageHigh, r.faceLength + wrap, r.side, r.turnOver, scale);
    } else {
        scale = CoverScaleOf(r.imageWide, r.imageHigh, r.faceWidth, r.faceLength);
        layout.x = EdgeAxis(r.imageWide, r.faceWidth, r.side, r.turnOver, scale);
        layout.y = EdgeAxis(r.imageHigh, r.faceLength, r.side, r.turnOver, scale);
    }
    // The margin at the same resolution, rounded up like the sides.
    layout.x.margin = layout.y.margin = PixelsOf(r.margin, scale);
    const int64_t divisor = std::gcd(scale.pixels * kNanometresPerInch, scale.length);
    layout.ppi = {scale.pixels * kNanometresPerInch / divisor, scale.length / divisor};
    return layout;
}

// The best rational approximation with bounded terms: the continued
// fraction's convergents, and at the end the best semiconvergent n0 + k n1
// over d0 + k d1, which is closer than the last convergent when 2k > a (the
// next term), and may be when 2k = a, which the distances then decide.
Resolution ClosestFraction(Resolution value, int64_t limit) {
    int64_t n0 = 0, d0 = 1, n1 = 1, d1 = 0;
    int64_t num = value.numerator, den = value.denominator;
    while (den != 0) {
        const int64_t a = num / den;
        // The largest step that keeps both terms within the limit.
        int64_t k = (limit - n0) / n1;
        if (d1 != 0) k = std::min(k, (limit - d0) / d1);
        if (k < a) {
            const Resolution semi{n0 + k * n1, d0 + k * d1};
            if (d1 == 0 || 2 * k > a) return semi;
            if (2 * k == a) {
                const long double exact = static_cast<long double>(value.numerator) / value.denominator;
                const long double bySemi = static_cast<long double>(semi.numerator) / semi.denominator;
                const long double byLast = static_cast<long double>(n1) / d1;
                if (std::fabs(bySemi - exact) < std::fabs(byLast - exact)) return semi;
            }
            return {n1, d1};
        }
        const int64_t n2 = n0 + a * n1, d2 = d0 + a * d1;
        n0 = n1, d0 = d1, n1 = n2, d1 = d2;
        const int64_t rest = num - a * den;
        num = den, den = rest;
    }
    return {n1, d1};
}
