// A small picture of the print file for the eye: at most 800 pixels on its
// longer side, 8-bit RGB whatever the file holds (CMYK shown by the simple
// ink formula, alpha over white: the colours are only a guide), made from
// the file's rows as they are written, each preview pixel the mean of a
// square box of file pixels. The canvas's edge is outlined in red, the
// fold between the turn-over and the side in green, and the face in blue.
#pragma once

#include <cstdint>
#include <vector>

#include "print/image.h"
#include "print/print_layout.h"

constexpr int64_t kPreviewSide = 800;

class Preview {
public:
    Preview(const PrintLayout& layout, const PixelFormat& format);
    int64_t Wide() const { return wide_; }
    int64_t High() const { return high_; }

    // Takes the file's next row; gives the preview's next row in `out`
    // (Wide() RGB pixels) when this row completes one, and true then.
    bool AddRow(const uint8_t* row, uint8_t* out);

private:
    struct Box {
        int64_t left, top, right, bottom;  // in preview pixels, right and bottom past the box
        uint8_t rgb[3];
    };
    void Outline(uint8_t* out, int64_t y) const;

    PixelFormat format_;
    int64_t fileWide_, fileHigh_;
    int64_t box_;  // file pixels per preview pixel, each way
    int64_t wide_, high_;
    std::vector<uint32_t> sums_;  // of the box row under way, three per preview pixel
    std::vector<Box> outlines_;
    int64_t row_ = 0;
};
