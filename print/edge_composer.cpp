#include "print/edge_composer.h"

#include <algorithm>
#include <cstring>

int64_t EdgeSourceOf(int64_t at, int64_t size, EdgeKind edge) {
    if (edge == EdgeKind::Stretch) return std::clamp<int64_t>(at, 0, size - 1);
    // A period of the image and its mirror image.
    const int64_t period = 2 * size;
    const int64_t within = (at % period + period) % period;
    return within < size ? within : period - 1 - within;
}

Pixel BlankPixel(const PixelFormat& format) {
    const int colours = format.Channels() - (format.alpha ? 1 : 0);
    const uint8_t value = format.color == ColorKind::Cmyk ? 0 : 0xFF;
    Pixel pixel(format.BytesPerPixel(), value);
    if (format.alpha) std::fill(pixel.begin() + colours * format.bits / 8, pixel.end(), 0);
    return pixel;
}

EdgeComposer::EdgeComposer(RowSource& shown, const PrintLayout& layout, EdgeKind edge, const Pixel& solid,
                           RowOrder order)
    : shown_(shown), layout_(layout), edge_(edge), solid_(solid), blank_(BlankPixel(shown.Info().format)) {
    pixelBytes_ = shown.Info().format.BytesPerPixel();
    faceBytes_ = layout.x.face * pixelBytes_;
    const int64_t needed = order == RowOrder::Image   ? 1
                           : edge == EdgeKind::Mirror  ? std::min(layout.y.band, layout.y.face)
                           : edge == EdgeKind::Stretch ? std::min<int64_t>(layout.y.band, 1)
                                                       : 0;
    slots_ = std::max<int64_t>(needed, 1);
    held_.resize(slots_ * faceBytes_);
    read_.resize(shown.Info().wide * pixelBytes_);
    if (order == RowOrder::Image) {
        // A file is at most a million rows high: four bytes a row.
        order_.resize(layout.y.Total());
        for (size_t y = 0; y < order_.size(); ++y) order_[y] = static_cast<int32_t>(y);
        std::stable_sort(order_.begin(), order_.end(),
                         [this](int32_t a, int32_t b) { return SourceOf(a) < SourceOf(b); });
    }
}

int64_t EdgeComposer::SourceOf(int64_t y) const {
    const LayoutAxis& axis = layout_.y;
    const int64_t at = y - axis.margin - axis.band;
    if (y < axis.margin || y >= axis.Total() - axis.margin) return -1;
    if (at >= 0 && at < axis.face) return at;
    return edge_ == EdgeKind::Solid ? -1 : EdgeSourceOf(at, axis.face, edge_);
}

// Face row y, read from the source when it is the next one (or, for the top
// band, one of the first `slots_`), else still held.
const uint8_t* EdgeComposer::FaceRow(int64_t y) {
    if (nextFaceRow_ == 0) {
        for (int64_t skip = 0; skip < layout_.y.skip; ++skip) {
            if (!shown_.ReadRow(read_.data())) return nullptr;
        }
    }
    for (; nextFaceRow_ <= y; ++nextFaceRow_) {
        if (!shown_.ReadRow(read_.data())) return nullptr;
        std::memcpy(held_.data() + (nextFaceRow_ % slots_) * faceBytes_, read_.data() + layout_.x.skip * pixelBytes_,
                    faceBytes_);
    }
    return held_.data() + (y % slots_) * faceBytes_;
}

void EdgeComposer::Fill(uint8_t* to, int64_t count, const Pixel& pixel) const {
    for (int64_t i = 0; i < count; ++i) std::memcpy(to + i * pixelBytes_, pixel.data(), pixelBytes_);
}

bool EdgeComposer::NextRow(uint8_t* row, int64_t& y) {
    y = order_.empty() ? made_ : order_[made_];
    ++made_;
    if (failed_ || !Compose(row, y)) {
        failed_ = true;
        return false;
    }
    return true;
}

bool EdgeComposer::Compose(uint8_t* row, int64_t fileRow) {
    const LayoutAxis& x = layout_.x;
    const LayoutAxis& y = layout_.y;
    const int64_t canvasRow = fileRow - y.margin;
    const int64_t canvasWide = x.face + 2 * x.band;
    Fill(row, x.margin, blank_);
    uint8_t* canvas = row + x.margin * pixelBytes_;
    Fill(canvas + canvasWide * pixelBytes_, x.margin, blank_);
    const int64_t source = SourceOf(fileRow);
    if (source < 0) {
        const bool inCanvas = canvasRow >= 0 && canvasRow < y.face + 2 * y.band;
        Fill(canvas, canvasWide, inCanvas ? solid_ : blank_);
        return true;
    }
    const uint8_t* face = FaceRow(source);
    if (!face) return false;
    std::memcpy(canvas + x.band * pixelBytes_, face, faceBytes_);
    if (edge_ == EdgeKind::Solid) {
        Fill(canvas, x.band, solid_);
        Fill(canvas + (x.band + x.face) * pixelBytes_, x.band, solid_);
        return true;
    }
    for (int64_t i = 0; i < x.band; ++i) {
        const int64_t left = EdgeSourceOf(i - x.band, x.face, edge_);
        const int64_t right = EdgeSourceOf(x.face + i, x.face, edge_);
        std::memcpy(canvas + i * pixelBytes_, face + left * pixelBytes_, pixelBytes_);
        std::memcpy(canvas + (x.band + x.face + i) * pixelBytes_, face + right * pixelBytes_, pixelBytes_);
    }
    return true;
}
