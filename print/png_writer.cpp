// PNG through libpng.
#include <bit>
#include <csetjmp>

#include "print/png_errors.h"
#include "print/writers.h"

namespace {

struct PngSettings {
    png_uint_32 wide;
    png_uint_32 high;
    int bits;
    int type;
    png_uint_32 perMetre;
    png_const_bytep icc;
    png_uint_32 iccSize;
};

bool StartPngWrite(png_structp png, png_infop info, FILE* file, const PngSettings* s) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, s->wide, s->high, s->bits, s->type, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (s->perMetre > 0) png_set_pHYs(png, info, s->perMetre, s->perMetre, PNG_RESOLUTION_METER);
    if (s->iccSize > 0) png_set_iCCP(png, info, "ICC profile", PNG_COMPRESSION_TYPE_BASE, s->icc, s->iccSize);
    png_write_info(png, info);
    if (s->bits == 16 && std::endian::native == std::endian::little) png_set_swap(png);
    return true;
}

bool WritePngRow(png_structp png, png_const_bytep row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_write_row(png, row);
    return true;
}

bool FinishPngWrite(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_write_end(png, info);
    return true;
}

// pHYs counts pixels per metre, a whole number: the nearest one.
png_uint_32 PixelsPerMetre(Resolution ppi) {
    constexpr int64_t kCentimillimetresPerInch = 254;  // an inch is 0.0254 m
    return static_cast<png_uint_32>(RoundedRatio(ppi.numerator * 10000, ppi.denominator * kCentimillimetresPerInch));
}

class PngWriter : public FileSink {
public:
    PngWriter(FILE* file, const OutputImage& image) : FileSink(file), image_(image) { errors_.message[0] = '\0'; }
    ~PngWriter() override {
        if (png_) png_destroy_write_struct(&png_, &info_);
    }

    bool Start() {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errors_, OnPngError, OnPngWarning);
        if (png_) info_ = png_create_info_struct(png_);
        if (!info_) {
            return Fail("out of memory");
        }
        const PixelFormat& f = image_.format;
        const int type = (f.color == ColorKind::Rgb ? PNG_COLOR_MASK_COLOR : 0) | (f.alpha ? PNG_COLOR_MASK_ALPHA : 0);
        const PngSettings settings{static_cast<png_uint_32>(image_.wide),
                                   static_cast<png_uint_32>(image_.high),
                                   f.bits,
                                   type,
                                   image_.ppi.denominator > 0 ? PixelsPerMetre(image_.ppi) : 0,
                                   image_.icc->data(),
                                   static_cast<png_uint_32>(image_.icc->size())};
        return StartPngWrite(png_, info_, file_, &settings) || Fail(errors_.message);
    }

    bool WriteRow(const uint8_t* row) override { return WritePngRow(png_, row) || Fail(errors_.message); }

    bool Finish() override { return Close(FinishPngWrite(png_, info_), errors_.message); }

private:
    OutputImage image_;
    PngErrors errors_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

}  // namespace

std::unique_ptr<RowSink> WritePng(FILE* file, const OutputImage& image, std::string& error) {
    auto writer = std::make_unique<PngWriter>(file, image);
    if (!writer->Start()) {
        error = writer->Error();
        return nullptr;
    }
    return writer;
}
