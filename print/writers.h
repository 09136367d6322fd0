// The image writers: TIFF, JPEG and PNG. Pixels are written as they come,
// never converted; the colour profile is copied byte for byte, and the
// resolution goes into the format's own fields.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "print/image.h"
#include "print/print_layout.h"

enum class FileKind { Tiff, Jpeg, Png };
enum class TiffCompression { None, Lzw, Deflate };

struct OutputImage {
    int64_t wide;
    int64_t high;
    PixelFormat format;
    const std::vector<uint8_t>* icc;  // may be empty
    Resolution ppi;
};

// What the format cannot hold of the image, as a phrase ("JPEG cannot hold
// 16-bit samples: write TIFF or PNG"); empty when it can hold it all.
std::string FormatLimit(FileKind kind, const PixelFormat& format);

// "cannot be written (...)": the library's words when it has any, else the
// system's.
std::string CannotWrite(const char* libraryWords);

// A writer whose library writes through a file the writer owns.
class FileSink : public RowSink {
public:
    ~FileSink() override;

protected:
    explicit FileSink(FILE* file) : file_(file) {}
    // Flushes and closes the file after the library `finished`; false, with
    // the library's words or the system's, when any of it did not reach the disk.
    bool Close(bool finished, const char* libraryWords);
    bool Fail(const char* libraryWords);

    FILE* file_;
};

// JPEG quality when none is asked for: high enough that the print shows no
// block, and with it no colour subsampling.
constexpr int kDefaultJpegQuality = 95;

// Each writer takes a file that is its own and closes it in Finish() or
// when it is destroyed. Null, with the reason in `error`, when it cannot start.
std::unique_ptr<RowSink> WriteTiff(const std::string& path, const OutputImage& image, TiffCompression compression,
                                   std::string& error);
std::unique_ptr<RowSink> WriteJpeg(FILE* file, const OutputImage& image, int quality, std::string& error);
std::unique_ptr<RowSink> WritePng(FILE* file, const OutputImage& image, std::string& error);
