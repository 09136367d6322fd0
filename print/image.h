// Images as streams of rows: a source gives its rows top to bottom, a sink
// takes them in the same order, or in any order where its format lets it
// (TIFF). Nothing holds a whole image, so the memory a print file takes
// does not grow with the image's height.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "print/print_layout.h"

enum class ColorKind { Grey, Rgb, Cmyk };

// Samples are interleaved; 16-bit ones are in the machine's own byte order.
// CMYK samples count ink: 0 is none.
struct PixelFormat {
    ColorKind color;
    bool alpha;  // one more channel after the colour ones
    int bits;    // 8 or 16
    int Channels() const { return (color == ColorKind::Grey ? 1 : color == ColorKind::Rgb ? 3 : 4) + (alpha ? 1 : 0); }
    int BytesPerPixel() const { return Channels() * bits / 8; }
};

// The largest side read: a million pixels is over 80 feet at 1000 ppi,
// and it keeps one row's buffer within a few megabytes.
constexpr int64_t kLargestSide = 1000000;

struct ImageInfo {
    int64_t wide = 0;  // as stored, before the orientation
    int64_t high = 0;
    PixelFormat format{ColorKind::Rgb, false, 8};
    std::vector<uint8_t> icc;  // the colour profile's bytes, empty when none
    int orientation = 1;       // the EXIF orientation, 1 to 8
    // The resolution the file states, pixels per inch, to show the user: the
    // print file's own comes from its size. {0, 0} when it states none.
    Resolution ppi{0, 0};
};

class RowSource {
public:
    virtual ~RowSource() = default;
    const ImageInfo& Info() const { return info_; }
    // Why the last call failed: a phrase such as "the image is truncated".
    const std::string& Error() const { return error_; }
    // Fills `row`, Info().wide pixels, with the next row; false on failure.
    virtual bool ReadRow(uint8_t* row) = 0;

protected:
    ImageInfo info_;
    std::string error_;
};

class RowSink {
public:
    virtual ~RowSink() = default;
    const std::string& Error() const { return error_; }
    virtual bool WriteRow(const uint8_t* row) = 0;
    // Whether rows may come in any order, each with its place `y` given to
    // WriteRowAt; otherwise WriteRowAt takes the next row, and `y` is its place.
    virtual bool TakesAnyOrder() const { return false; }
    virtual bool WriteRowAt(int64_t /* y */, const uint8_t* row) { return WriteRow(row); }
    // Completes the file and closes it; false when anything failed.
    virtual bool Finish() = 0;

protected:
    std::string error_;
};
