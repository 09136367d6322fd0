// PNG through libpng. Palette images and grey below 8 bits are expanded to
// 8 bits, and a transparency chunk to an alpha channel: exact, no value
// changes. Rows are read as they come, but an interlaced image has none
// whole before its last pass: it is read whole, within a limit.
#include <bit>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "print/exif_orientation.h"
#include "print/png_errors.h"
#include "print/readers.h"

namespace {

// libpng refuses a side over a million pixels itself, as "Invalid IHDR
// data", which tells the user the file is damaged: its limit is lifted so
// that the reader says what it will not read, before libpng sizes its rows.
bool ReadPngHeader(png_structp png, png_infop info, FILE* file) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_init_io(png, file);
    png_read_info(png, info);
    return true;
}

bool StartPngRows(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_expand(png);
    png_set_interlace_handling(png);
    if (std::endian::native == std::endian::little) png_set_swap(png);
    png_read_update_info(png, info);
    return true;
}

bool ReadPngRow(png_structp png, png_bytep row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_row(png, row, nullptr);
    return true;
}

bool ReadPngImage(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    return true;
}

class PngReader : public RowSource {
public:
    explicit PngReader(FILE* file) : file_(file) { errors_.message[0] = '\0'; }
    ~PngReader() override {
        if (png_) png_destroy_read_struct(&png_, &pngInfo_, nullptr);
        std::fclose(file_);
    }

    bool Open() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errors_, OnPngError, OnPngWarning);
        if (png_) pngInfo_ = png_create_info_struct(png_);
        if (!pngInfo_) {
            error_ = "out of memory";
            return false;
        }
        if (!ReadPngHeader(png_, pngInfo_, file_)) return Failed();
        info_.wide = png_get_image_width(png_, pngInfo_);
        info_.high = png_get_image_height(png_, pngInfo_);
        if (!CheckImageSize(info_.wide, info_.high, error_)) return false;
        if (!StartPngRows(png_, pngInfo_)) return Failed();
        rowBytes_ = png_get_rowbytes(png_, pngInfo_);
        interlaced_ = png_get_interlace_type(png_, pngInfo_) != PNG_INTERLACE_NONE;
        if (interlaced_ && info_.high * rowBytes_ > kLargestReadWhole) {
            error_ = "an interlaced PNG is read whole, and this one would take " +
                     std::to_string(info_.high * rowBytes_ >> 20) + " MB: save it without interlacing";
            return false;
        }
        // The colour type and depth as expanded.
        const int type = png_get_color_type(png_, pngInfo_);
        info_.format.color = (type & PNG_COLOR_MASK_COLOR) ? ColorKind::Rgb : ColorKind::Grey;
        info_.format.alpha = (type & PNG_COLOR_MASK_ALPHA) != 0;
        info_.format.bits = png_get_bit_depth(png_, pngInfo_);
        png_charp name = nullptr;
        int compression = 0;
        png_bytep profile = nullptr;
        png_uint_32 length = 0;
        if (png_get_iCCP(png_, pngInfo_, &name, &compression, &profile, &length)) {
            info_.icc.assign(profile, profile + length);
        }
        png_uint_32 perMetreX = 0, perMetreY = 0;
        int unit = 0;
        if (png_get_pHYs(png_, pngInfo_, &perMetreX, &perMetreY, &unit) && unit == PNG_RESOLUTION_METER) {
            info_.ppi = {perMetreX * int64_t{254}, 10000};  // an inch is 0.0254 m
        }
        png_bytep exif = nullptr;
        png_uint_32 exifLength = 0;
        if (png_get_eXIf_1(png_, pngInfo_, &exifLength, &exif)) info_.orientation = ExifOrientation(exif, exifLength);
        return true;
    }

    bool ReadRow(uint8_t* row) override {
        if (!interlaced_) return ReadPngRow(png_, row) || Failed();
        if (!whole_ && !ReadWhole()) return false;
        std::memcpy(row, whole_.get() + next_++ * rowBytes_, rowBytes_);
        return true;
    }

private:
    // An interlaced PNG's rows are whole only after its last pass.
    bool ReadWhole() {
        // Up to 512 MB, which a 32-bit program may not find in one piece:
        // malloc says so, where new would end the program.
        whole_.reset(static_cast<uint8_t*>(std::malloc(info_.high * rowBytes_)));
        if (!whole_) {
            error_ = "an interlaced PNG is read whole, and there is not the memory for this one: save it without "
                     "interlacing";
            return false;
        }
        std::vector<png_bytep> rows(info_.high);
        for (int64_t y = 0; y < info_.high; ++y) rows[y] = whole_.get() + y * rowBytes_;
        return ReadPngImage(png_, rows.data()) || Failed();
    }

    bool Failed() {
        if (std::feof(file_)) {
            error_ = "the image is truncated";
        } else {
            error_ = std::string("the image is damaged (") + errors_.message + ")";
        }
        return false;
    }

    FILE* file_;
    PngErrors errors_;
    png_structp png_ = nullptr;
    png_infop pngInfo_ = nullptr;
    int64_t rowBytes_ = 0;
    bool interlaced_ = false;
    struct Free {
        void operator()(uint8_t* bytes) const { std::free(bytes); }
    };
    std::unique_ptr<uint8_t, Free> whole_;  // an interlaced image, once read
    int64_t next_ = 0;                      // the row of it to give next
};

}  // namespace

std::unique_ptr<RowSource> OpenPng(FILE* file, std::string& error) {
    auto reader = std::make_unique<PngReader>(file);
    if (!reader->Open()) {
        error = reader->Error();
        return nullptr;
    }
    return reader;
}
