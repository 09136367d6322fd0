// The print file: from the customer's image to the file that goes to the
// printer, with the wrap's edges made, row by row.
#pragma once

#include <cstdint>
#include <string>

#include "print/print_layout.h"
#include "print/writers.h"

struct PrintRequest {
    std::string input;    // the image: JPEG, PNG or TIFF
    std::string output;   // its kind from its name: .tif/.tiff, .jpg/.jpeg or .png
    std::string preview;  // a PNG of the layout, or empty for none
    int64_t faceWidth = 0;   // nanometres (1 in = 25,400,000 nm): the finished size
    int64_t faceLength = 0;
    int64_t side = 0;        // the bar's depth
    int64_t turnOver = 0;    // beyond the side: 0 for the regular wrap, half the staple extra for the staple method
    EdgeKind edge = EdgeKind::Mirror;
    std::string colour;      // for `solid`: hex, or "" or "auto" for the mean of the face's outer strip
    bool marks = false;      // fold marks
    int64_t margin = 0;      // nanometres of blank round the canvas, for the marks
    TiffCompression compression = TiffCompression::Lzw;
    int quality = kDefaultJpegQuality;  // JPEG, 1 to 100
    // Called after every few rows written, with how many of how many; may be null.
    void (*progress)(int64_t done, int64_t total, void* context) = nullptr;
    void* progressContext = nullptr;
};

// What a print file was made of: the image as shown (after its
// orientation), and where its parts went.
struct PrintedFile {
    int64_t imageWide = 0;
    int64_t imageHigh = 0;
    Resolution statedPpi = {0, 0};  // what the image says of itself, {0, 0} for nothing
    PrintLayout layout = {};
};

// Makes the file, and tells what it made in `made` when given. On any
// failure, false and ONE line in `error`, starting "corvalin-calc: " and
// the file it concerns; then no file is left behind and an earlier file of
// the output's name is as it was.
bool MakePrintFile(const PrintRequest& request, std::string& error, PrintedFile* made = nullptr);
