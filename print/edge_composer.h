// The print file's rows, made from the shown image's rows: the face copied,
// and the sides, turn-over and corners made per row as the edge kind says.
// In the file's order, memory for `mirror` is ONE buffer of as many face
// rows as the band is high (fewer when the face is shorter): the top band
// needs the face's first rows before anything is written, and the bottom
// band its last ones, so the buffer is filled first with the first rows and
// then kept as a ring of the last rows read; `stretch` holds one face row,
// `solid` and `image` none beyond the row being read. In the image's order,
// for a file that takes its rows in any order (TIFF), every row that repeats
// a face row is made as soon as that row is read, and one face row is held
// whatever the edge.
#pragma once

#include <vector>

#include "print/image.h"
#include "print/print_layout.h"

// Which face pixel an edge pixel repeats, `at` pixels from the face's first
// (negative before it), for a face `size` pixels long. `mirror` reflects as
// libvips's and ImageMagick's mirror do, the edge pixel repeated
// (... 2 1 0 | 0 1 2 ...), and past a face's length the reflection goes on
// (... | n-1 ... 0 | 0 ... n-1 | n-1 ...); `stretch` repeats the edge pixel.
int64_t EdgeSourceOf(int64_t at, int64_t size, EdgeKind edge);

// One pixel's bytes.
using Pixel = std::vector<uint8_t>;

// What no ink prints: white, or no ink for CMYK, and transparent.
Pixel BlankPixel(const PixelFormat& format);

enum class RowOrder { File, Image };

class EdgeComposer {
public:
    // `solid` is the colour of a `solid` edge, one pixel of the format.
    EdgeComposer(RowSource& shown, const PrintLayout& layout, EdgeKind edge, const Pixel& solid, RowOrder order);

    // The next row, layout.x.Total() pixels, and its place `y` in the file:
    // the file's rows top to bottom, or in the image's order. False on a
    // failure to read, with the source's Error().
    bool NextRow(uint8_t* row, int64_t& y);

private:
    // The face row a row of the file repeats, or -1 for one that repeats
    // none (a margin, a solid edge).
    int64_t SourceOf(int64_t y) const;
    const uint8_t* FaceRow(int64_t y);
    bool Compose(uint8_t* row, int64_t y);
    void Fill(uint8_t* to, int64_t count, const Pixel& pixel) const;

    RowSource& shown_;
    PrintLayout layout_;
    EdgeKind edge_;
    Pixel solid_;
    Pixel blank_;
    int pixelBytes_;
    int64_t faceBytes_;
    int64_t slots_;             // face rows held
    std::vector<uint8_t> held_;  // the held face rows, row y in slot y % slots_
    std::vector<uint8_t> read_;  // one row as shown
    int64_t nextFaceRow_ = 0;    // the next face row to read
    int64_t made_ = 0;           // rows made so far
    // In the image's order, the file's rows in the order they are made:
    // those that repeat no face row first, then by the face row they repeat.
    std::vector<int32_t> order_;
    bool failed_ = false;
};
