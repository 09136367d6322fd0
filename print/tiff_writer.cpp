#include <cstring>
#include <vector>

#include "print/files.h"
#include "print/tiff_errors.h"
#include "print/writers.h"

namespace {

constexpr int64_t kFourGigabytes = int64_t{1} << 32;
// Room for the directory, the profile and the strips' tables.
constexpr int64_t kClassicMargin = 64 << 20;
// Past this many bytes of pixels a file is BigTIFF; compressed, past two
// thirds of it, as LZW can make noise up to half as large again.
constexpr int64_t kClassicLimit = kFourGigabytes - kClassicMargin;

constexpr uint16_t kXResolution = 282;
constexpr uint16_t kYResolution = 283;
constexpr uint16_t kRationalType = 5;

// libtiff takes a resolution as a float, about 7 digits. The exact fraction
// (or the closest one a TIFF RATIONAL holds) is written over it once the
// file is closed, in the first directory's two resolution entries.
bool WriteExactResolution(const std::string& path, Resolution ppi) {
    const Resolution exact = ClosestFraction(ppi, 0xFFFFFFFF);
    FILE* file = OpenFile(path, "r+b");
    if (!file) return false;
    uint8_t head[16] = {};
    bool done = std::fread(head, 1, sizeof head, file) == sizeof head;
    const bool big = head[0] == 'M';
    const auto number = [big](const uint8_t* at, int bytes) {
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) value = value << 8 | at[big ? i : bytes - 1 - i];
        return value;
    };
    const auto put = [big](uint8_t* at, uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) at[big ? bytes - 1 - i : i] = static_cast<uint8_t>(value >> (8 * i));
    };
    const bool bigTiff = number(head + 2, 2) == 43;
    const int64_t directory = bigTiff ? number(head + 8, 8) : number(head + 4, 4);
    const int countBytes = bigTiff ? 8 : 2, entryBytes = bigTiff ? 20 : 12;
    uint8_t count[8] = {};
    done = done && SeekFile(file, directory) && std::fread(count, 1, countBytes, file) == static_cast<size_t>(countBytes);
    const int64_t entries = done ? number(count, countBytes) : 0;
    int found = 0;
    for (int64_t i = 0; done && i < entries; ++i) {
        uint8_t entry[20] = {};
        const int64_t at = directory + countBytes + i * entryBytes;
        done = SeekFile(file, at) && std::fread(entry, 1, entryBytes, file) == static_cast<size_t>(entryBytes);
        const uint64_t tag = number(entry, 2);
        if (!done || (tag != kXResolution && tag != kYResolution) || number(entry + 2, 2) != kRationalType) continue;
        // A classic TIFF points to the 8 bytes; BigTIFF holds them in the entry.
        uint8_t value[8];
        put(value, exact.numerator, 4);
        put(value + 4, exact.denominator, 4);
        const int64_t valueAt = bigTiff ? at + 12 : static_cast<int64_t>(number(entry + 8, 4));
        done = SeekFile(file, valueAt) && std::fwrite(value, 1, 8, file) == 8;
        ++found;
    }
    return std::fclose(file) == 0 && done && found == 2;
}

class TiffWriter : public RowSink {
public:
    TiffWriter(const std::string& path, const OutputImage& image) : path_(path), image_(image) {}
    ~TiffWriter() override {
        if (tiff_) TIFFClose(tiff_);
    }

    bool Start(TiffCompression compression) {
        const int64_t bytes = image_.wide * image_.high * image_.format.BytesPerPixel();
        const bool big = bytes > (compression == TiffCompression::None ? kClassicLimit : kClassicLimit / 3 * 2);
        tiff_ = OpenTiff(path_, big ? "w8" : "w", errors_.Options());
        if (!tiff_) return Failed();
        const PixelFormat& f = image_.format;
        TIFFSetField(tiff_, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image_.wide));
        TIFFSetField(tiff_, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image_.high));
        TIFFSetField(tiff_, TIFFTAG_BITSPERSAMPLE, f.bits);
        TIFFSetField(tiff_, TIFFTAG_SAMPLESPERPIXEL, f.Channels());
        TIFFSetField(tiff_, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff_, TIFFTAG_PHOTOMETRIC,
                     f.color == ColorKind::Grey  ? PHOTOMETRIC_MINISBLACK
                     : f.color == ColorKind::Rgb ? PHOTOMETRIC_RGB
                                                 : PHOTOMETRIC_SEPARATED);
        if (f.color == ColorKind::Cmyk) TIFFSetField(tiff_, TIFFTAG_INKSET, INKSET_CMYK);
        if (f.alpha) {
            const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
            TIFFSetField(tiff_, TIFFTAG_EXTRASAMPLES, 1, &extra);
        }
        if (compression != TiffCompression::None) {
            TIFFSetField(tiff_, TIFFTAG_COMPRESSION,
                         compression == TiffCompression::Lzw ? COMPRESSION_LZW : COMPRESSION_ADOBE_DEFLATE);
            // Differences from the pixel before compress photographs better.
            TIFFSetField(tiff_, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
        }
        if (compression == TiffCompression::Deflate) {
            // zlib's Deflate, which the Windows programs' libtiff has too: a
            // libtiff built with libdeflate would otherwise use that for
            // whole strips and write other bytes.
            TIFFSetField(tiff_, TIFFTAG_DEFLATE_SUBCODEC, DEFLATE_SUBCODEC_ZLIB);
        }
        // A strip a row, each written where it belongs whenever it comes:
        // the print file's rows come as the image's rows are read, and the
        // band a mirror repeats need not wait in memory for its place.
        TIFFSetField(tiff_, TIFFTAG_ROWSPERSTRIP, 1);
        TIFFSetField(tiff_, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        const double ppi = static_cast<double>(image_.ppi.numerator) / image_.ppi.denominator;
        TIFFSetField(tiff_, TIFFTAG_XRESOLUTION, ppi);
        TIFFSetField(tiff_, TIFFTAG_YRESOLUTION, ppi);
        if (!image_.icc->empty()) {
            TIFFSetField(tiff_, TIFFTAG_ICCPROFILE, static_cast<uint32_t>(image_.icc->size()), image_.icc->data());
        }
        // libtiff's predictor works in the row it is given: a copy of its own.
        row_.resize(image_.wide * f.BytesPerPixel());
        return errors_.First().empty() || Failed();
    }

    bool WriteRow(const uint8_t* row) override { return WriteRowAt(y_++, row); }

    bool TakesAnyOrder() const override { return true; }

    bool WriteRowAt(int64_t y, const uint8_t* row) override {
        std::memcpy(row_.data(), row, row_.size());
        return TIFFWriteEncodedStrip(tiff_, static_cast<uint32_t>(y), row_.data(), static_cast<tmsize_t>(row_.size())) >=
                   0 ||
               Failed();
    }

    bool Finish() override {
        const bool flushed = TIFFFlush(tiff_) == 1;
        TIFFClose(tiff_);
        tiff_ = nullptr;
        if (!flushed || !errors_.First().empty()) return Failed();
        if (!WriteExactResolution(path_, image_.ppi)) {
            error_ = CannotWrite("");
            return false;
        }
        return true;
    }

private:
    bool Failed() {
        error_ = CannotWrite(errors_.First().c_str());
        return false;
    }

    std::string path_;
    OutputImage image_;
    TiffErrors errors_;
    TIFF* tiff_ = nullptr;
    std::vector<uint8_t> row_;
    int64_t y_ = 0;
};

}  // namespace

std::unique_ptr<RowSink> WriteTiff(const std::string& path, const OutputImage& image, TiffCompression compression,
                                   std::string& error) {
    auto writer = std::make_unique<TiffWriter>(path, image);
    if (!writer->Start(compression)) {
        error = writer->Error();
        return nullptr;
    }
    return writer;
}
