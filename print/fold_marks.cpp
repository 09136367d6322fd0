#include "print/fold_marks.h"

#include <algorithm>
#include <cstring>

#include "calc/length.h"

namespace {

// Black: no light, or full black ink alone; opaque.
Pixel DarkPixel(const PixelFormat& format) {
    const int sample = format.bits / 8;
    Pixel pixel(format.BytesPerPixel(), 0);
    const int colours = format.Channels() - (format.alpha ? 1 : 0);
    if (format.color == ColorKind::Cmyk) std::fill(pixel.begin() + 3 * sample, pixel.begin() + 4 * sample, 0xFF);
    if (format.alpha) std::fill(pixel.begin() + colours * sample, pixel.end(), 0xFF);
    return pixel;
}

}  // namespace

FoldMarks::Axis FoldMarks::AxisOf(const LayoutAxis& axis, const Resolution& ppi) {
    Axis marks;
    marks.total = axis.Total();
    const int64_t canvas = axis.face + 2 * axis.band;
    std::vector<int64_t> folds;
    if (axis.margin > 0) {
        marks.reach = axis.margin - DivideUp(axis.margin, 3);
        folds = {0, axis.turnFold, axis.faceFold};
    } else {
        marks.reach = std::min(axis.turnFold, DivideUp(ppi.numerator, 4 * ppi.denominator));
        folds = {axis.turnFold, axis.faceFold};
    }
    for (int64_t fold : folds) {
        marks.lines.push_back(axis.margin + fold);
        marks.lines.push_back(axis.margin + canvas - fold);
    }
    return marks;
}

FoldMarks::FoldMarks(const PrintLayout& layout, const PixelFormat& format)
    : x_(AxisOf(layout.x, layout.ppi)), y_(AxisOf(layout.y, layout.ppi)), dark_(DarkPixel(format)) {}

void FoldMarks::Put(uint8_t* row, int64_t x) const {
    if (x >= 0 && x < x_.total) std::memcpy(row + x * dark_.size(), dark_.data(), dark_.size());
}

void FoldMarks::Draw(uint8_t* row, int64_t y) const {
    // Fold lines that run down the file: ticks down from its top and up from its bottom.
    if (y < y_.reach || y >= y_.total - y_.reach) {
        for (int64_t line : x_.lines) {
            Put(row, line - 1);
            Put(row, line);
        }
    }
    // Fold lines that run across it: ticks in from its left and right.
    for (int64_t line : y_.lines) {
        if (y != line - 1 && y != line) continue;
        for (int64_t i = 0; i < x_.reach; ++i) {
            Put(row, i);
            Put(row, x_.total - 1 - i);
        }
    }
}
