// JPEG through libjpeg(-turbo).
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>

#include "print/exif_orientation.h"
#include "print/jpeg_errors.h"
#include "print/readers.h"

namespace {


// libjpeg only warns of broken or missing data and goes on with grey: the
// program stops there instead, so that no print shows made-up pixels.
// Stray bytes between markers, which many cameras write, are harmless.
void OnJpegMessage(j_common_ptr info, int level) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (level >= 0) return;
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF) {
        errors->truncated = true;
    } else if (code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE || code == JWRN_MUST_RESYNC ||
               code == JWRN_NOT_SEQUENTIAL || code == JWRN_BOGUS_PROGRESSION) {
        if (!errors->damaged) info->err->format_message(info, errors->message);
        errors->damaged = true;
    }
}

bool ReadJpegHeader(jpeg_decompress_struct* info, FILE* file) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (setjmp(errors->jump)) return false;
    jpeg_create_decompress(info);
    jpeg_stdio_src(info, file);
    jpeg_save_markers(info, JPEG_APP0 + 1, 0xFFFF);  // Exif
    jpeg_save_markers(info, JPEG_APP0 + 2, 0xFFFF);  // ICC profile
    jpeg_read_header(info, TRUE);
    if (info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK) {
        info->out_color_space = JCS_CMYK;
    } else if (info->jpeg_color_space != JCS_GRAYSCALE) {
        info->out_color_space = JCS_RGB;
    }
    return true;
}

bool StartJpeg(jpeg_decompress_struct* info) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (setjmp(errors->jump)) return false;
    jpeg_start_decompress(info);
    return true;
}

// A progressive JPEG is decoded whole: libjpeg keeps every coefficient, two
// bytes each, of every component at its own sampling, until the last scan.
int64_t ProgressiveBytes(const jpeg_decompress_struct* info) {
    int64_t bytes = 0;
    for (int c = 0; c < info->num_components; ++c) {
        const jpeg_component_info& component = info->comp_info[c];
        const int64_t wide = (int64_t{info->image_width} * component.h_samp_factor + info->max_h_samp_factor - 1) /
                             info->max_h_samp_factor;
        const int64_t high = (int64_t{info->image_height} * component.v_samp_factor + info->max_v_samp_factor - 1) /
                             info->max_v_samp_factor;
        bytes += (wide + 7) / 8 * ((high + 7) / 8) * 64 * 2;
    }
    return bytes;
}

bool ReadJpegRow(jpeg_decompress_struct* info, JSAMPROW row) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (setjmp(errors->jump)) return false;
    return jpeg_read_scanlines(info, &row, 1) == 1;
}

bool ReadIcc(jpeg_decompress_struct* info, JOCTET** icc, unsigned* size) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (setjmp(errors->jump)) return false;
    return jpeg_read_icc_profile(info, icc, size);
}

class JpegReader : public RowSource {
public:
    explicit JpegReader(FILE* file) : file_(file) {
        info_.format.bits = 8;
        UseJpegErrors(decoder_, errors_);
        errors_.manager.emit_message = OnJpegMessage;
    }
    ~JpegReader() override {
        if (started_) jpeg_destroy_decompress(&decoder_);
        std::fclose(file_);
    }

    bool Open() {
        started_ = true;
        if (!ReadJpegHeader(&decoder_, file_)) return Failed();
        if (decoder_.progressive_mode && ProgressiveBytes(&decoder_) > kLargestReadWhole) {
            error_ = "a progressive JPEG is read whole, and this one would take " +
                     std::to_string(ProgressiveBytes(&decoder_) >> 20) + " MB: save it as a baseline JPEG or as TIFF";
            return false;
        }
        if (!StartJpeg(&decoder_)) return Failed();
        const bool cmyk = decoder_.out_color_space == JCS_CMYK;
        info_.format.color = cmyk ? ColorKind::Cmyk : decoder_.out_color_space == JCS_RGB ? ColorKind::Rgb : ColorKind::Grey;
        // Adobe's CMYK JPEGs, which are nearly all of them, store ink inverted.
        inverted_ = cmyk && decoder_.saw_Adobe_marker;
        // JFIF's density unit 1 is the inch, 2 the centimetre.
        if (decoder_.saw_JFIF_marker && decoder_.density_unit == 1) info_.ppi = {decoder_.X_density, 1};
        if (decoder_.saw_JFIF_marker && decoder_.density_unit == 2) info_.ppi = {decoder_.X_density * int64_t{254}, 100};
        // No size check: libjpeg itself refuses a side of 0 or over 65,500,
        // far within the largest side read.
        info_.wide = decoder_.output_width;
        info_.high = decoder_.output_height;
        for (jpeg_saved_marker_ptr m = decoder_.marker_list; m; m = m->next) {
            if (m->marker == JPEG_APP0 + 1 && m->data_length > 6 && std::equal(m->data, m->data + 6, "Exif\0\0")) {
                info_.orientation = ExifOrientation(m->data + 6, m->data_length - 6);
                break;
            }
        }
        JOCTET* icc = nullptr;
        unsigned size = 0;
        if (ReadIcc(&decoder_, &icc, &size) && icc) {
            info_.icc.assign(icc, icc + size);
            std::free(icc);
        }
        return true;
    }

    bool ReadRow(uint8_t* row) override {
        if (!ReadJpegRow(&decoder_, row)) return Failed();
        if (errors_.truncated || errors_.damaged) return Failed();
        if (inverted_) {
            for (int64_t i = 0; i < info_.wide * 4; ++i) row[i] = static_cast<uint8_t>(255 - row[i]);
        }
        return true;
    }

private:
    bool Failed() {
        if (errors_.truncated) {
            error_ = "the image is truncated";
        } else if (errors_.manager.msg_code == JERR_IMAGE_TOO_BIG) {
            // A JPEG may say up to 65,535 pixels a side; libjpeg reads 65,500.
            error_ = std::string("this JPEG is not read: ") + errors_.message;
        } else {
            error_ = std::string("the image is damaged (") + errors_.message + ")";
        }
        return false;
    }

    FILE* file_;
    jpeg_decompress_struct decoder_{};
    JpegErrors errors_;
    bool started_ = false;
    bool inverted_ = false;
};

}  // namespace

std::unique_ptr<RowSource> OpenJpeg(FILE* file, std::string& error) {
    auto reader = std::make_unique<JpegReader>(file);
    if (!reader->Open()) {
        error = reader->Error();
        return nullptr;
    }
    return reader;
}
