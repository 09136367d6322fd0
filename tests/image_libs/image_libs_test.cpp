// The image libraries as the programs link them: natively Debian's, on
// Windows the static builds of the same sources. Each format is written row
// by row from pixels that follow a rule and read back; same-bytes-test.sh
// runs this program natively and for Windows and compares the files.
//
// CORVALIN_IMAGE_FILES names a folder to leave the files in; without it
// they go to a temporary folder that is removed at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>
#include <zlib.h>

namespace {

namespace fs = std::filesystem;

// Odd sizes, so that the JPEG blocks, the TIFF strips and the PNG rows
// all end part-way.
constexpr int kWidth = 61;
constexpr int kHeight = 37;

// Sample c of pixel (x, y) of the lossless images: the coordinates, and in
// 16 bits values whose two bytes both vary.
int Sample8(int x, int y, int c) {
    const int samples[] = {x, y * 6, (x * y) % 256};
    return samples[c];
}
int Sample16(int x, int y, int c) {
    const int samples[] = {x * 1000 + 17, y * 1700 + 3, (x * y * 37) % 65536, 65535 - x * y * 11};
    return samples[c];
}
// The lossy images: smooth ramps, which JPEG at quality 90 keeps within a
// few levels.
int SampleSmooth(int x, int y, int c) {
    const int samples[] = {40 + 2 * x + 2 * y, 20 + 3 * x + y, 200 - x - 2 * y};
    return samples[c];
}

using Rule = int (*)(int x, int y, int c);

std::vector<int> Pixels(Rule rule, int channels) {
    std::vector<int> pixels;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            for (int c = 0; c < channels; ++c) pixels.push_back(rule(x, y, c));
        }
    }
    return pixels;
}

// Row y as the libraries take it: 8 or 16 bits a sample, in the machine's
// byte order.
std::vector<unsigned char> Row(Rule rule, int y, int channels, int bits) {
    std::vector<unsigned char> row(kWidth * channels * bits / 8);
    for (int i = 0; i < kWidth * channels; ++i) {
        const uint16_t value = static_cast<uint16_t>(rule(i / channels, y, i % channels));
        if (bits == 8) {
            row[i] = static_cast<unsigned char>(value);
        } else {
            std::memcpy(&row[i * 2], &value, 2);
        }
    }
    return row;
}

void AppendRow(std::vector<int>& pixels, const unsigned char* row, int channels, int bits) {
    for (int i = 0; i < kWidth * channels; ++i) {
        uint16_t value = row[i];
        if (bits == 16) std::memcpy(&value, &row[i * 2], 2);
        pixels.push_back(value);
    }
}

// The folder the files go to.
class FilesFolder : public ::testing::Environment {
public:
    static const fs::path& Path() { return path_; }
    void SetUp() override {
        if (const char* kept = std::getenv("CORVALIN_IMAGE_FILES")) {
            path_ = kept;
            return;
        }
        path_ = fs::temp_directory_path() / ("corvalin-image-libs-" + std::to_string(std::random_device()()));
        ASSERT_TRUE(fs::create_directory(path_)) << path_;
        remove_ = true;
    }
    void TearDown() override {
        if (remove_) fs::remove_all(path_);
    }

private:
    static inline fs::path path_;
    bool remove_ = false;
};
::testing::Environment* const kFilesFolder = ::testing::AddGlobalTestEnvironment(new FilesFolder);

std::string FilePath(const std::string& name) { return (FilesFolder::Path() / name).string(); }

void WriteBytes(const std::string& name, const std::string& bytes) {
    std::ofstream(FilePath(name), std::ios::binary) << bytes;
}

// The largest difference between two pixel lists of the same size.
int LargestDifference(const std::vector<int>& a, const std::vector<int>& b) {
    EXPECT_EQ(a.size(), b.size());
    int largest = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

// What a decoder gave, kept beside the file so that the comparison covers
// decoding too.
void KeepDecoded(const std::string& name, const std::vector<int>& pixels) {
    std::string bytes;
    for (int value : pixels) bytes += static_cast<char>(value);
    WriteBytes(name + ".decoded", bytes);
}

// --- TIFF -------------------------------------------------------------------

struct TiffCase {
    const char* name;
    int bits;
    int channels;
    uint16_t compression;
};

void WriteTiff(const TiffCase& kind, Rule rule) {
    TIFF* tiff = TIFFOpen(FilePath(kind.name).c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, kind.bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, kind.channels);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    if (kind.channels == 4) {
        const uint16_t alpha[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, alpha);
    }
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, kind.compression);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 300.0);
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 300.0);
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    if (kind.compression == COMPRESSION_LZW || kind.compression == COMPRESSION_ADOBE_DEFLATE) {
        TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    }
    if (kind.compression == COMPRESSION_ADOBE_DEFLATE) {
        // Debian's native libtiff also has libdeflate, which it would use
        // for a strip written in one call and which compresses otherwise
        // than zlib: zlib on both sides gives the same bytes.
        TIFFSetField(tiff, TIFFTAG_DEFLATE_SUBCODEC, DEFLATE_SUBCODEC_ZLIB);
    }
    if (kind.compression == COMPRESSION_JPEG) {
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_YCBCR);
        TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        TIFFSetField(tiff, TIFFTAG_JPEGQUALITY, 90);
    }
    for (int y = 0; y < kHeight; ++y) {
        std::vector<unsigned char> row = Row(rule, y, kind.channels, kind.bits);
        ASSERT_EQ(TIFFWriteScanline(tiff, row.data(), y, 0), 1) << kind.name << " row " << y;
    }
    TIFFClose(tiff);
}

std::vector<int> ReadTiff(const TiffCase& kind) {
    std::vector<int> pixels;
    TIFF* tiff = TIFFOpen(FilePath(kind.name).c_str(), "r");
    EXPECT_NE(tiff, nullptr);
    if (!tiff) return pixels;
    uint32_t width = 0, height = 0;
    uint16_t bits = 0, channels = 0, compression = 0, unit = 0;
    float resolution = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &channels);
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &compression);
    TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &resolution);
    TIFFGetField(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    EXPECT_EQ(bits, kind.bits);
    EXPECT_EQ(channels, kind.channels);
    EXPECT_EQ(compression, kind.compression);
    EXPECT_EQ(resolution, 300.0f);
    EXPECT_EQ(unit, RESUNIT_INCH);
    if (kind.compression == COMPRESSION_JPEG) TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
    std::vector<unsigned char> row(TIFFScanlineSize(tiff));
    for (uint32_t y = 0; y < height; ++y) {
        EXPECT_EQ(TIFFReadScanline(tiff, row.data(), y, 0), 1) << kind.name << " row " << y;
        AppendRow(pixels, row.data(), kind.channels, kind.bits);
    }
    TIFFClose(tiff);
    return pixels;
}

TEST(ImageLibs, TiffKeepsEveryPixelUncompressedAndWithLzwAndDeflate) {
    const TiffCase cases[] = {{"rgb8-none.tif", 8, 3, COMPRESSION_NONE},
                              {"rgb8-lzw.tif", 8, 3, COMPRESSION_LZW},
                              {"rgb8-deflate.tif", 8, 3, COMPRESSION_ADOBE_DEFLATE},
                              {"rgba16-lzw.tif", 16, 4, COMPRESSION_LZW},
                              {"rgba16-deflate.tif", 16, 4, COMPRESSION_ADOBE_DEFLATE}};
    for (const TiffCase& kind : cases) {
        const Rule rule = kind.bits == 8 ? Sample8 : Sample16;
        WriteTiff(kind, rule);
        EXPECT_EQ(ReadTiff(kind), Pixels(rule, kind.channels)) << kind.name;
    }
}

TEST(ImageLibs, TiffWithJpegKeepsASmoothImageCloseToItself) {
    const TiffCase kind = {"rgb8-jpeg.tif", 8, 3, COMPRESSION_JPEG};
    WriteTiff(kind, SampleSmooth);
    const std::vector<int> decoded = ReadTiff(kind);
    EXPECT_LE(LargestDifference(decoded, Pixels(SampleSmooth, 3)), 8);
    KeepDecoded(kind.name, decoded);
}

// --- PNG --------------------------------------------------------------------

void WritePng(const char* name, int bits, int channels, Rule rule) {
    std::FILE* file = std::fopen(FilePath(name).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, kWidth, kHeight, bits, channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, 11811, 11811, PNG_RESOLUTION_METER);  // 300 ppi
    png_write_info(png, info);
    if (bits == 16) png_set_swap(png);  // rows in the machine's order
    for (int y = 0; y < kHeight; ++y) png_write_row(png, Row(rule, y, channels, bits).data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

std::vector<int> ReadPng(const char* name, int bits, int channels) {
    std::vector<int> pixels;
    std::FILE* file = std::fopen(FilePath(name).c_str(), "rb");
    EXPECT_NE(file, nullptr);
    if (!file) return pixels;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_read_info(png, info);
    EXPECT_EQ(png_get_image_width(png, info), png_uint_32{kWidth});
    EXPECT_EQ(png_get_image_height(png, info), png_uint_32{kHeight});
    EXPECT_EQ(png_get_bit_depth(png, info), bits);
    EXPECT_EQ(png_get_channels(png, info), channels);
    EXPECT_EQ(png_get_x_pixels_per_meter(png, info), 11811u);
    if (bits == 16) png_set_swap(png);
    png_read_update_info(png, info);
    std::vector<unsigned char> row(png_get_rowbytes(png, info));
    for (int y = 0; y < kHeight; ++y) {
        png_read_row(png, row.data(), nullptr);
        AppendRow(pixels, row.data(), channels, bits);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return pixels;
}

TEST(ImageLibs, PngKeepsEveryPixelIn8And16Bits) {
    WritePng("rgb8.png", 8, 3, Sample8);
    EXPECT_EQ(ReadPng("rgb8.png", 8, 3), Pixels(Sample8, 3));
    WritePng("rgba16.png", 16, 4, Sample16);
    EXPECT_EQ(ReadPng("rgba16.png", 16, 4), Pixels(Sample16, 4));
}

// --- JPEG -------------------------------------------------------------------

// libjpeg's own error handling ends the program with its message, which
// fails the test as clearly as anything here could.
void WriteJpeg(const std::string& name) {
    std::FILE* file = std::fopen(FilePath(name).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_error_mgr errors;
    jpeg_compress_struct out;
    out.err = jpeg_std_error(&errors);
    jpeg_create_compress(&out);
    jpeg_stdio_dest(&out, file);
    out.image_width = kWidth;
    out.image_height = kHeight;
    out.input_components = 3;
    out.in_color_space = JCS_RGB;
    jpeg_set_defaults(&out);
    jpeg_set_quality(&out, 90, TRUE);
    out.density_unit = 1;  // dots per inch
    out.X_density = 300;
    out.Y_density = 300;
    jpeg_start_compress(&out, TRUE);
    for (int y = 0; y < kHeight; ++y) {
        std::vector<JSAMPLE> row = Row(SampleSmooth, y, 3, 8);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&out, rows, 1);
    }
    jpeg_finish_compress(&out);
    jpeg_destroy_compress(&out);
    std::fclose(file);
}

std::vector<int> ReadJpeg(const std::string& name) {
    std::vector<int> pixels;
    std::FILE* file = std::fopen(FilePath(name).c_str(), "rb");
    EXPECT_NE(file, nullptr);
    if (!file) return pixels;
    jpeg_error_mgr errors;
    jpeg_decompress_struct in;
    in.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&in);
    jpeg_stdio_src(&in, file);
    jpeg_read_header(&in, TRUE);
    EXPECT_EQ(in.density_unit, 1);
    EXPECT_EQ(in.X_density, 300);
    EXPECT_EQ(in.Y_density, 300);
    jpeg_start_decompress(&in);
    EXPECT_EQ(in.output_width, JDIMENSION{kWidth});
    EXPECT_EQ(in.output_components, 3);
    std::vector<JSAMPLE> row(in.output_width * in.output_components);
    while (in.output_scanline < in.output_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_read_scanlines(&in, rows, 1);
        AppendRow(pixels, row.data(), 3, 8);
    }
    jpeg_finish_decompress(&in);
    jpeg_destroy_decompress(&in);
    std::fclose(file);
    return pixels;
}

TEST(ImageLibs, JpegKeepsASmoothImageCloseToItselfAndItsDensity) {
    WriteJpeg("rgb8.jpg");
    const std::vector<int> decoded = ReadJpeg("rgb8.jpg");
    EXPECT_LE(LargestDifference(decoded, Pixels(SampleSmooth, 3)), 8);
    KeepDecoded("rgb8.jpg", decoded);
}

// --- Versions ---------------------------------------------------------------

// Debian 12's versions, which the Windows builds are made from too.
TEST(ImageLibs, VersionsAreDebian12s) {
    const std::string tiff = TIFFGetVersion();
    const std::string versions = std::string("zlib ") + zlibVersion() + "\nlibjpeg-turbo " +
                                 std::to_string(LIBJPEG_TURBO_VERSION_NUMBER) + "\nlibpng " +
                                 png_get_libpng_ver(nullptr) + "\n" + tiff.substr(0, tiff.find('\n')) + "\n";
    EXPECT_EQ(versions, "zlib 1.2.13\nlibjpeg-turbo 2001005\nlibpng 1.6.39\nLIBTIFF, Version 4.5.0\n");
    WriteBytes("versions.txt", versions);
}

}  // namespace
