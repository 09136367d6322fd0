// The print file's layout in pixels, worked out from exact lengths: where the
// image's face, the sides and the turn-over fall, and the resolution the file
// is written at. The image is never resampled: its own pixels set the
// resolution.
//
// The rules, as the help quotes them:
// - Lengths are whole nanometres (1 in = 25,400,000 nm), so every length a
//   print shop types in inches or millimetres is exact.
// - `image`: the image covers the whole canvas, the face plus twice the side
//   and the turn-over each way. The resolution is the image's pixels over the
//   canvas on the side the image fills (the lower of the two resolutions);
//   on the other side the spare pixels are cropped, their count rounded up,
//   half before and half after (the odd one after): the file is the image
//   less the crop.
// - `mirror`, `stretch`, `solid`: the image covers the face the same way, so
//   the face keeps every pixel it can. Each side and each turn-over is its
//   length at that resolution rounded up to whole pixels, never narrower than
//   asked. The file is the face plus twice (side + turn-over) pixels each way.
// - A margin, when asked for (for fold marks outside the canvas), is its
//   length at that resolution rounded up, on every side of the canvas.
// - Fold lines are pixel boundaries: exact ones for the edges the file makes;
//   for `image`, the nearest boundary to the exact fold.
// - The resolution is an exact fraction; TIFF holds it as one (or the
//   closest one its 32-bit terms hold), while JFIF's density (dots per inch)
//   and PNG's pHYs (pixels per metre) are whole numbers: the nearest ones.
#pragma once

#include <cstdint>

#include "calc/length.h"

enum class EdgeKind { Image, Mirror, Stretch, Solid };

// One direction of the file, in pixels.
struct LayoutAxis {
    int64_t skip;    // image pixels cropped before the part that is used
    int64_t face;    // image pixels used: the face, or the whole canvas for `image`
    int64_t band;    // pixels the file adds on each end: side + turn-over (0 for `image`)
    int64_t margin;  // blank pixels outside the canvas on each end
    // Fold lines counted from the canvas's outer edge, pixel boundaries:
    // between the turn-over and the side, and between the side and the face.
    int64_t turnFold;
    int64_t faceFold;
    int64_t Total() const { return face + 2 * (band + margin); }
};

// The resolution, pixels per inch, as the exact ratio numerator / denominator.
struct Resolution {
    int64_t numerator;
    int64_t denominator;
};

struct PrintLayout {
    LayoutAxis x;  // across: the image's width, along the canvas's width
    LayoutAxis y;  // down: along the canvas's length
    Resolution ppi;
};

struct LayoutRequest {
    int64_t imageWide;  // pixels, as the image is shown (after its orientation)
    int64_t imageHigh;
    int64_t faceWidth;  // nanometres, the finished size
    int64_t faceLength;
    int64_t side;       // nanometres: the bar's depth
    int64_t turnOver;   // nanometres beyond the side: 0 for the regular wrap
    int64_t margin;     // nanometres of blank round the canvas, 0 for none
    EdgeKind edge;
};

// The lengths must be above 0 (side, turn-over and margin may be 0).
PrintLayout LayOut(const LayoutRequest& request);

// numerator / denominator rounded to the nearest whole number, halves up.
int64_t RoundedRatio(int64_t numerator, int64_t denominator);

// The closest fraction to numerator / denominator (both above 0) whose terms
// are at most `limit`: what a TIFF RATIONAL can hold of the resolution.
Resolution ClosestFraction(Resolution value, int64_t limit);
