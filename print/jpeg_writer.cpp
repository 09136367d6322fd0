// JPEG through libjpeg(-turbo).
#include <algorithm>
#include <vector>

#include "print/jpeg_errors.h"
#include "print/writers.h"

namespace {

struct JpegSettings {
    JDIMENSION wide;
    JDIMENSION high;
    J_COLOR_SPACE space;
    int components;
    int quality;
    unsigned density;
    const JOCTET* icc;
    unsigned iccSize;
};

// Sets the size after jpeg_create_compress, which clears it.
bool StartJpegWrite(jpeg_compress_struct* info, FILE* file, const JpegSettings* s) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (setjmp(errors->jump)) return false;
    jpeg_create_compress(info);
    jpeg_stdio_dest(info, file);
    info->image_width = s->wide;
    info->image_height = s->high;
    info->input_components = s->components;
    info->in_color_space = s->space;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, s->quality, TRUE);
    // At the qualities a print needs, colour keeps full resolution.
    if (s->quality >= 90) {
        for (int c = 0; c < info->num_components; ++c) {
            info->comp_info[c].h_samp_factor = 1;
            info->comp_info[c].v_samp_factor = 1;
        }
    }
    // The density lives in the JFIF header, which libjpeg leaves out for
    // CMYK; readers take it there all the same.
    info->write_JFIF_header = TRUE;
    info->density_unit = 1;
    info->X_density = static_cast<UINT16>(s->density);
    info->Y_density = static_cast<UINT16>(s->density);
    jpeg_start_compress(info, TRUE);
    if (s->iccSize > 0) jpeg_write_icc_profile(info, s->icc, s->iccSize);
    return true;
}

bool WriteJpegRow(jpeg_compress_struct* info, JSAMPROW row) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (setjmp(errors->jump)) return false;
    return jpeg_write_scanlines(info, &row, 1) == 1;
}

bool FinishJpegWrite(jpeg_compress_struct* info) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (setjmp(errors->jump)) return false;
    jpeg_finish_compress(info);
    return true;
}

class JpegWriter : public FileSink {
public:
    JpegWriter(FILE* file, const OutputImage& image) : FileSink(file), image_(image) { UseJpegErrors(encoder_, errors_); }
    ~JpegWriter() override {
        jpeg_destroy_compress(&encoder_);  // also when it was never created: it checks
    }

    bool Start(int quality) {
        const PixelFormat& f = image_.format;
        const JpegSettings settings{static_cast<JDIMENSION>(image_.wide),
                                    static_cast<JDIMENSION>(image_.high),
                                    f.color == ColorKind::Grey  ? JCS_GRAYSCALE
                                    : f.color == ColorKind::Rgb ? JCS_RGB
                                                                : JCS_CMYK,
                                    f.Channels(),
                                    quality,
                                    static_cast<unsigned>(std::clamp<int64_t>(
                                        RoundedRatio(image_.ppi.numerator, image_.ppi.denominator), 1, 65535)),
                                    image_.icc->data(),
                                    static_cast<unsigned>(image_.icc->size())};
        row_.resize(image_.wide * f.Channels());
        return StartJpegWrite(&encoder_, file_, &settings) || Fail(errors_.message);
    }

    bool WriteRow(const uint8_t* row) override {
        // CMYK goes out inverted, as Adobe's JPEGs hold it and as the reader
        // takes it back.
        const bool cmyk = image_.format.color == ColorKind::Cmyk;
        for (size_t i = 0; i < row_.size(); ++i) row_[i] = cmyk ? static_cast<JSAMPLE>(255 - row[i]) : row[i];
        return WriteJpegRow(&encoder_, row_.data()) || Fail(errors_.message);
    }

    bool Finish() override { return Close(FinishJpegWrite(&encoder_), errors_.message); }

private:
    OutputImage image_;
    jpeg_compress_struct encoder_{};
    JpegErrors errors_;
    std::vector<JSAMPLE> row_;
};

}  // namespace

std::unique_ptr<RowSink> WriteJpeg(FILE* file, const OutputImage& image, int quality, std::string& error) {
    auto writer = std::make_unique<JpegWriter>(file, image);
    if (!writer->Start(quality)) {
        error = writer->Error();
        return nullptr;
    }
    return writer;
}
