// TIFF through libtiff: stripped or tiled, samples contiguous or in planes.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "print/files.h"
#include "print/readers.h"
#include "print/tiff_errors.h"

namespace {

// A tile row is held whole; past this, such a file is refused rather than
// let it take memory the program promises not to.
constexpr int64_t kLargestTileRow = 64 << 20;

// A colour kind not read, as a user would know it; the number otherwise.
std::string ColourKindName(uint16_t photometric) {
    switch (photometric) {
    case PHOTOMETRIC_MINISWHITE: return "grey stored white as zero";
    case PHOTOMETRIC_PALETTE: return "a palette";
    case PHOTOMETRIC_SEPARATED: return "inks other than CMYK";
    case PHOTOMETRIC_YCBCR: return "YCbCr";
    case PHOTOMETRIC_CIELAB:
    case PHOTOMETRIC_ICCLAB:
    case PHOTOMETRIC_ITULAB: return "Lab";
    }
    return "kind " + std::to_string(photometric);
}

class TiffReader : public RowSource {
public:
    ~TiffReader() override {
        for (TIFF* plane : planes_) TIFFClose(plane);
    }

    bool Open(const std::string& path) {
        TIFF* tiff = OpenTiff(path, "rm", errors_.Options());
        if (!tiff) return Failed("the TIFF cannot be read");
        planes_.push_back(tiff);
        uint32_t wide = 0, high = 0;
        uint16_t bits = 0, samples = 0, photometric = 0, planar = 0, format = 0, compression = 0, orientation = 1;
        TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &wide);
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &high);
        TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
        TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
        TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
        TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format);
        TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
        if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)) return Refused("it has no colour kind");
        info_.wide = wide;
        info_.high = high;
        if (!CheckImageSize(info_.wide, info_.high, error_)) return false;
        if (!TIFFIsCODECConfigured(compression)) return Refused("its compression (" + std::to_string(compression) + ") is not one this program reads");
        if (bits != 8 && bits != 16) return Refused(std::to_string(bits) + "-bit samples are not read: 8 or 16 are");
        if (format != SAMPLEFORMAT_UINT) return Refused("only whole-number samples are read");
        int colours = 0;
        if (photometric == PHOTOMETRIC_MINISBLACK) {
            info_.format.color = ColorKind::Grey, colours = 1;
        } else if (photometric == PHOTOMETRIC_RGB) {
            info_.format.color = ColorKind::Rgb, colours = 3;
        } else if (photometric == PHOTOMETRIC_SEPARATED && samples >= 4) {
            uint16_t inks = INKSET_CMYK;
            TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &inks);
            if (inks != INKSET_CMYK) return Refused("its inks are not CMYK");
            info_.format.color = ColorKind::Cmyk, colours = 4;
        } else if (photometric == PHOTOMETRIC_YCBCR && compression == COMPRESSION_JPEG && bits == 8) {
            // libtiff's JPEG codec gives such a file's pixels as RGB.
            TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
            info_.format.color = ColorKind::Rgb, colours = 3;
        } else {
            return Refused("its colour is " + ColourKindName(photometric) +
                           ": save it as RGB, CMYK or grey with black as zero");
        }
        if (samples != colours && samples != colours + 1) return Refused("it has " + std::to_string(samples) + " samples a pixel");
        info_.format.alpha = samples == colours + 1;
        info_.format.bits = bits;
        info_.orientation = orientation >= 1 && orientation <= 8 ? orientation : 1;
        // libtiff gives the resolution as a float: to a ten-thousandth of a pixel per inch.
        float resolution = 0;
        uint16_t unit = RESUNIT_INCH;
        TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
        if (TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &resolution) && resolution > 0 && resolution < 1e9f &&
            (unit == RESUNIT_INCH || unit == RESUNIT_CENTIMETER)) {
            info_.ppi = {std::llround(resolution * (unit == RESUNIT_INCH ? 10000.0 : 25400.0)), 10000};
        }
        uint32_t iccSize = 0;
        void* icc = nullptr;
        if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &iccSize, &icc) && icc) {
            info_.icc.assign(static_cast<uint8_t*>(icc), static_cast<uint8_t*>(icc) + iccSize);
        }
        sampleBytes_ = bits / 8;
        separate_ = planar == PLANARCONFIG_SEPARATE && samples > 1;
        return TIFFIsTiled(tiff) ? StartTiles(tiff) : StartStrips(path, samples);
    }

    bool ReadRow(uint8_t* row) override {
        const bool read = tileLength_ ? ReadFromTiles(row) : ReadFromStrips(row);
        ++row_;
        return read;
    }

private:
    // Planes are read each through a handle of its own, so that every handle
    // goes through its plane's strips in order: a compressed strip is never
    // decoded again to reach a row.
    bool StartStrips(const std::string& path, int samples) {
        if (!separate_) return true;
        for (int s = 1; s < samples; ++s) {
            TIFF* plane = OpenTiff(path, "rm", errors_.Options());
            if (!plane) return Failed("the TIFF cannot be read");
            planes_.push_back(plane);
        }
        plane_.resize(TIFFScanlineSize64(planes_[0]));
        return true;
    }

    bool StartTiles(TIFF* tiff) {
        uint32_t tileWide = 0, tileLong = 0;
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &tileWide);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileLong);
        tileWide_ = tileWide;
        tileLength_ = tileLong;
        const int64_t rowBytes = info_.wide * info_.format.BytesPerPixel();
        if (tileWide_ < 1 || tileLength_ < 1 || tileLength_ * rowBytes > kLargestTileRow) return Refused("its tiles are too large");
        band_.resize(tileLength_ * rowBytes);
        plane_.resize(TIFFTileSize64(tiff));
        return true;
    }

    bool ReadFromStrips(uint8_t* row) {
        if (!separate_) return TIFFReadScanline(planes_[0], row, row_, 0) >= 0 || Failed("");
        for (size_t s = 0; s < planes_.size(); ++s) {
            if (TIFFReadScanline(planes_[s], plane_.data(), row_, s) < 0) return Failed("");
            Interleave(plane_.data(), s, info_.wide, row);
        }
        return true;
    }

    // A row of tiles at a time, into a band of whole rows.
    bool ReadFromTiles(uint8_t* row) {
        const int64_t pixelBytes = info_.format.BytesPerPixel();
        const int64_t rowBytes = info_.wide * pixelBytes;
        const int64_t within = row_ % tileLength_;
        if (within == 0) {
            const size_t planes = separate_ ? info_.format.Channels() : 1;
            for (int64_t x = 0; x < info_.wide; x += tileWide_) {
                const int64_t wide = std::min(tileWide_, info_.wide - x);
                for (size_t s = 0; s < planes; ++s) {
                    if (TIFFReadTile(planes_[0], plane_.data(), x, row_, 0, s) < 0) return Failed("");
                    for (int64_t y = 0; y < tileLength_ && row_ + y < info_.high; ++y) {
                        uint8_t* to = band_.data() + y * rowBytes + x * pixelBytes;
                        if (separate_) {
                            Interleave(plane_.data() + y * tileWide_ * sampleBytes_, s, wide, to);
                        } else {
                            std::memcpy(to, plane_.data() + y * tileWide_ * pixelBytes, wide * pixelBytes);
                        }
                    }
                }
            }
        }
        std::memcpy(row, band_.data() + within * rowBytes, rowBytes);
        return true;
    }

    // Sample `s` of `count` pixels, from a plane into interleaved pixels.
    void Interleave(const uint8_t* plane, size_t s, int64_t count, uint8_t* pixels) const {
        const int64_t step = info_.format.BytesPerPixel();
        for (int64_t i = 0; i < count; ++i) {
            std::memcpy(pixels + i * step + s * sampleBytes_, plane + i * sampleBytes_, sampleBytes_);
        }
    }

    bool Refused(const std::string& why) {
        error_ = "this TIFF is not read: " + why;
        return false;
    }

    // libtiff's own words for what failed; a short read is a truncated file,
    // and so is a directory past its end (libtiff writes it after the pixels).
    bool Failed(const char* otherwise) {
        const std::string& said = errors_.First();
        static const char* const kShort[] = {"Read error", "Seek error", "Can not read TIFF directory",
                                             "Cannot read TIFF header", "Sanity check on directory count failed"};
        bool cut = false;
        for (const char* words : kShort) cut = cut || said.find(words) != std::string::npos;
        if (cut) {
            error_ = "the image is truncated";
        } else if (!said.empty()) {
            error_ = "the image is damaged (" + said + ")";
        } else {
            error_ = *otherwise ? otherwise : "the image is damaged";
        }
        return false;
    }

    TiffErrors errors_;
    std::vector<TIFF*> planes_;
    std::vector<uint8_t> plane_;  // one plane's row, or one tile
    std::vector<uint8_t> band_;   // a row of tiles
    int64_t row_ = 0;
    int64_t tileWide_ = 0;
    int64_t tileLength_ = 0;  // 0 for strips
    int sampleBytes_ = 1;
    bool separate_ = false;
};

}  // namespace

std::unique_ptr<RowSource> OpenTiffImage(const std::string& path, std::string& error) {
    auto reader = std::make_unique<TiffReader>();
    if (!reader->Open(path)) {
        error = reader->Error();
        return nullptr;
    }
    return reader;
}
