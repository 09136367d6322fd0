#include "print/preview.h"

#include <algorithm>
#include <cstring>

#include "calc/length.h"

namespace {

// One pixel of the file as 8-bit RGB.
void ToRgb(const uint8_t* pixel, const PixelFormat& format, uint32_t rgb[3]) {
    const auto sample = [&](int i) -> uint32_t {
        if (format.bits == 8) return pixel[i];
        uint16_t value;
        std::memcpy(&value, pixel + 2 * i, 2);
        return value >> 8;
    };
    uint32_t r, g, b;
    if (format.color == ColorKind::Grey) {
        r = g = b = sample(0);
    } else if (format.color == ColorKind::Rgb) {
        r = sample(0), g = sample(1), b = sample(2);
    } else {
        const uint32_t k = 255 - sample(3);
        r = (255 - sample(0)) * k / 255, g = (255 - sample(1)) * k / 255, b = (255 - sample(2)) * k / 255;
    }
    if (format.alpha) {
        const uint32_t a = sample(format.Channels() - 1);
        r = (r * a + 255 * (255 - a)) / 255, g = (g * a + 255 * (255 - a)) / 255, b = (b * a + 255 * (255 - a)) / 255;
    }
    rgb[0] = r, rgb[1] = g, rgb[2] = b;
}

}  // namespace

Preview::Preview(const PrintLayout& layout, const PixelFormat& format) : format_(format) {
    fileWide_ = layout.x.Total();
    fileHigh_ = layout.y.Total();
    box_ = DivideUp(std::max(fileWide_, fileHigh_), kPreviewSide);
    wide_ = DivideUp(fileWide_, box_);
    high_ = DivideUp(fileHigh_, box_);
    sums_.assign(wide_ * 3, 0);
    // Outer first, so that where two coincide the inner one shows.
    const auto rectangle = [&](int64_t inX, int64_t inY, uint8_t r, uint8_t g, uint8_t b) {
        const int64_t left = layout.x.margin + inX, top = layout.y.margin + inY;
        const int64_t right = fileWide_ - left, bottom = fileHigh_ - top;
        outlines_.push_back({left / box_, top / box_, std::max(DivideUp(right, box_), left / box_ + 1),
                             std::max(DivideUp(bottom, box_), top / box_ + 1), {r, g, b}});
    };
    rectangle(0, 0, 255, 0, 0);
    rectangle(layout.x.turnFold, layout.y.turnFold, 0, 160, 0);
    rectangle(layout.x.faceFold, layout.y.faceFold, 0, 0, 255);
}

void Preview::Outline(uint8_t* out, int64_t y) const {
    for (const Box& box : outlines_) {
        if (y < box.top || y >= box.bottom) continue;
        const bool edge = y == box.top || y == box.bottom - 1;
        for (int64_t x = box.left; x < box.right; x += edge ? 1 : std::max<int64_t>(box.right - 1 - box.left, 1)) {
            std::memcpy(out + 3 * x, box.rgb, 3);
        }
    }
}

bool Preview::AddRow(const uint8_t* row, uint8_t* out) {
    const int pixelBytes = format_.BytesPerPixel();
    for (int64_t x = 0; x < fileWide_; ++x) {
        uint32_t rgb[3];
        ToRgb(row + x * pixelBytes, format_, rgb);
        uint32_t* sum = &sums_[3 * (x / box_)];
        sum[0] += rgb[0], sum[1] += rgb[1], sum[2] += rgb[2];
    }
    ++row_;
    if (row_ % box_ != 0 && row_ != fileHigh_) return false;
    // The last box of a row or column may hold fewer pixels.
    const int64_t rows = row_ % box_ == 0 ? box_ : row_ % box_;
    for (int64_t x = 0; x < wide_; ++x) {
        const int64_t count = rows * (std::min(fileWide_, (x + 1) * box_) - x * box_);
        for (int c = 0; c < 3; ++c) out[3 * x + c] = static_cast<uint8_t>((sums_[3 * x + c] + count / 2) / count);
    }
    std::fill(sums_.begin(), sums_.end(), 0);
    Outline(out, (row_ - 1) / box_);
    return true;
}
