// Fold marks: short dark ticks in line with each fold line, where the face
// meets the side and where the side meets the turn-over, placed where the
// stretched canvas does not show them:
// - with a margin outside the canvas, in the margin's outer two thirds
//   (a third is left clear next to the canvas, so a cut a little wide shows
//   no mark), with ticks for the canvas's edges, where it is cut, too;
// - without one, on the staple method's turn-over at the canvas's outer
//   edge, which goes round to the back of the bars: ticks as long as the
//   turn-over is wide, at most a quarter of an inch.
// The regular wrap has no turn-over: its marks need a margin.
// A tick is 2 pixels wide, one each side of the fold line.
#pragma once

#include <vector>

#include "print/edge_composer.h"
#include "print/print_layout.h"

class FoldMarks {
public:
    FoldMarks(const PrintLayout& layout, const PixelFormat& format);
    // Draws the ticks that cross row `y` of the file.
    void Draw(uint8_t* row, int64_t y) const;

private:
    struct Axis {
        std::vector<int64_t> lines;  // fold lines, pixel boundaries from the file's edge
        int64_t reach;               // how far ticks run in from the file's edge
        int64_t total;
    };
    static Axis AxisOf(const LayoutAxis& axis, const Resolution& ppi);
    void Put(uint8_t* row, int64_t x) const;

    Axis x_, y_;
    Pixel dark_;
};
