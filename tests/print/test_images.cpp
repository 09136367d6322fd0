#include "print/test_images.h"

#include <jpeglib.h>
#include <png.h>
#include <sys/wait.h>
#include <tiffio.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

PrintRequest RequestOf(const std::string& in, const std::string& out, int64_t width, int64_t length, int64_t side) {
    PrintRequest r;
    r.input = in;
    r.output = out;
    r.faceWidth = width;
    r.faceLength = length;
    r.side = side;
    r.edge = EdgeKind::Mirror;
    r.compression = TiffCompression::None;
    return r;
}

uint32_t CoordinateSample(int64_t x, int64_t y, int c, int bits) {
    const bool eight = bits == 8;
    switch (c) {
    case 0: return eight ? x & 255 : x;
    case 1: return eight ? y & 255 : y;
    case 2: return eight ? ((x >> 8 & 15) << 4 | (y >> 8 & 15)) : (x * 7 + y * 3) & 0xFFFF;
    case 3: return (x + y) % 251 * (eight ? 1 : 257);
    default: return eight ? 200 : 200 * 257;
    }
}

// The EXIF table: the side of the shown image that stored row 0 is on, and
// the side that stored column 0 is on.
void StoredPlace(int orientation, int64_t wide, int64_t high, int64_t x, int64_t y, int64_t& storedX, int64_t& storedY) {
    enum Side { Top, Bottom, Left, Right };
    static const Side row0[] = {Top, Top, Bottom, Bottom, Left, Right, Right, Left};
    static const Side column0[] = {Left, Right, Right, Left, Top, Top, Bottom, Bottom};
    const Side row = row0[orientation - 1], column = column0[orientation - 1];
    if (row == Top || row == Bottom) {
        storedY = row == Top ? y : high - 1 - y;
        storedX = column == Left ? x : wide - 1 - x;
    } else {
        storedY = row == Left ? x : wide - 1 - x;
        storedX = column == Top ? y : high - 1 - y;
    }
}

namespace {

// The stored samples of a coordinate image.
std::vector<uint32_t> StoredSamples(int64_t wide, int64_t high, int channels, int bits, int orientation,
                                    int64_t& storedWide) {
    storedWide = orientation >= 5 ? high : wide;
    std::vector<uint32_t> samples(wide * high * channels);
    for (int64_t y = 0; y < high; ++y) {
        for (int64_t x = 0; x < wide; ++x) {
            int64_t sx, sy;
            StoredPlace(orientation, wide, high, x, y, sx, sy);
            for (int c = 0; c < channels; ++c) samples[(sy * storedWide + sx) * channels + c] = CoordinateSample(x, y, c, bits);
        }
    }
    return samples;
}

// Samples as bytes in the machine's order.
std::vector<uint8_t> Bytes(const uint32_t* samples, size_t count, int bits, size_t stride = 1) {
    std::vector<uint8_t> bytes(count * bits / 8);
    for (size_t i = 0; i < count; ++i) {
        if (bits == 8) {
            bytes[i] = static_cast<uint8_t>(samples[i * stride]);
        } else {
            const uint16_t value = static_cast<uint16_t>(samples[i * stride]);
            std::memcpy(&bytes[2 * i], &value, 2);
        }
    }
    return bytes;
}

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(what);
}

}  // namespace

void WriteCoordinateTiff(const std::string& path, int64_t wide, int64_t high, int channels, int bits,
                         const TiffOptions& o) {
    int64_t sw;
    const std::vector<uint32_t> samples = StoredSamples(wide, high, channels, bits, o.orientation, sw);
    const int64_t sh = static_cast<int64_t>(samples.size()) / channels / sw;
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    Check(tiff, "TIFFOpen");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(sw));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(sh));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, channels);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, o.planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    const int colours = o.cmyk ? 4 : channels >= 3 ? 3 : 1;
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, o.cmyk ? PHOTOMETRIC_SEPARATED : colours == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    if (channels > colours) {
        const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, o.orientation);
    if (o.lzw) TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    if (!o.icc.empty()) TIFFSetField(tiff, TIFFTAG_ICCPROFILE, static_cast<uint32_t>(o.icc.size()), o.icc.data());
    if (o.ppi >= 0) {
        TIFFSetField(tiff, TIFFTAG_XRESOLUTION, o.ppi);
        TIFFSetField(tiff, TIFFTAG_YRESOLUTION, o.ppi);
        TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    }
    const int planes = o.planar ? channels : 1;
    const int perPixel = o.planar ? 1 : channels;
    if (o.tiled) {
        const int64_t tile = 16;
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, 16);
        for (int64_t ty = 0; ty < sh; ty += tile) {
            for (int64_t tx = 0; tx < sw; tx += tile) {
                for (int s = 0; s < planes; ++s) {
                    std::vector<uint32_t> part(tile * tile * perPixel, 0);
                    for (int64_t y = ty; y < std::min(sh, ty + tile); ++y) {
                        for (int64_t x = tx; x < std::min(sw, tx + tile); ++x) {
                            for (int c = 0; c < perPixel; ++c) {
                                part[((y - ty) * tile + x - tx) * perPixel + c] = samples[(y * sw + x) * channels + s + c];
                            }
                        }
                    }
                    std::vector<uint8_t> bytes = Bytes(part.data(), part.size(), bits);
                    Check(TIFFWriteTile(tiff, bytes.data(), tx, ty, 0, s) >= 0, "TIFFWriteTile");
                }
            }
        }
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 3);
        for (int s = 0; s < planes; ++s) {
            for (int64_t y = 0; y < sh; ++y) {
                std::vector<uint8_t> bytes = Bytes(&samples[y * sw * channels + s], sw * perPixel, bits, o.planar ? channels : 1);
                Check(TIFFWriteScanline(tiff, bytes.data(), y, s) >= 0, "TIFFWriteScanline");
            }
        }
    }
    TIFFClose(tiff);
}

void WriteCoordinatePng(const std::string& path, int64_t wide, int64_t high, int channels, int bits, bool interlaced) {
    int64_t sw;
    const std::vector<uint32_t> samples = StoredSamples(wide, high, channels, bits, 1, sw);
    FILE* file = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    static const int types[] = {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA};
    png_set_IHDR(png, info, wide, high, bits, types[channels - 1], interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    if (bits == 16 && std::endian::native == std::endian::little) png_set_swap(png);
    // libpng picks each pass's pixels from whole rows.
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (int64_t y = 0; y < high; ++y) {
            std::vector<uint8_t> bytes = Bytes(&samples[y * wide * channels], wide * channels, bits);
            png_write_row(png, bytes.data());
        }
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

void WriteCoordinateJpeg(const std::string& path, int64_t wide, int64_t high, int orientation, bool progressive) {
    int64_t sw;
    const std::vector<uint32_t> samples = StoredSamples(wide, high, 3, 8, orientation, sw);
    const int64_t sh = static_cast<int64_t>(samples.size()) / 3 / sw;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    FILE* file = std::fopen(path.c_str(), "wb");
    jpeg_stdio_dest(&info, file);
    info.image_width = sw;
    info.image_height = sh;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    // Exif, then a little-endian TIFF header and IFD0 of one entry: Orientation.
    const uint8_t exif[] = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                            0x12, 0x01, 3, 0, 1, 0, 0, 0, static_cast<uint8_t>(orientation), 0, 0, 0, 0, 0, 0, 0};
    jpeg_write_marker(&info, JPEG_APP0 + 1, exif, sizeof exif);
    for (int64_t y = 0; y < sh; ++y) {
        std::vector<uint8_t> bytes = Bytes(&samples[y * sw * 3], sw * 3, 8);
        JSAMPROW row = bytes.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

// Read from the bytes, as libtiff gives it only as a float: classic TIFF,
// the first directory's entries 282 and 296.
void TiffResolution(const std::string& path, uint32_t resolution[2], int& unit) {
    const std::string d = ReadBytes(path);
    const bool big = d[0] == 'M';
    const auto at = [&](size_t offset, int bytes) {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) v = v << 8 | static_cast<uint8_t>(d.at(offset + (big ? i : bytes - 1 - i)));
        return v;
    };
    const uint32_t ifd = at(4, 4);
    for (uint32_t i = 0; i < at(ifd, 2); ++i) {
        const size_t entry = ifd + 2 + 12 * i;
        if (at(entry, 2) == 282) resolution[0] = at(at(entry + 8, 4), 4), resolution[1] = at(at(entry + 8, 4) + 4, 4);
        if (at(entry, 2) == 296) unit = static_cast<int>(at(entry + 8, 2));
    }
}

Decoded ReadTiff(const std::string& path) {
    Decoded image;
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    Check(tiff, "TIFFOpen");
    uint32_t wide, high;
    uint16_t bits, channels;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &wide);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &high);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &channels);
    image.wide = wide, image.high = high, image.bits = bits, image.channels = channels;
    uint32_t iccSize = 0;
    void* icc = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &iccSize, &icc)) image.icc.assign((uint8_t*)icc, (uint8_t*)icc + iccSize);
    std::vector<uint8_t> row(TIFFScanlineSize(tiff));
    for (uint32_t y = 0; y < high; ++y) {
        Check(TIFFReadScanline(tiff, row.data(), y, 0) >= 0, "TIFFReadScanline");
        for (int64_t i = 0; i < int64_t{wide} * channels; ++i) {
            uint16_t value = row[i];
            if (bits == 16) std::memcpy(&value, &row[2 * i], 2);
            image.samples.push_back(value);
        }
    }
    TIFFClose(tiff);
    TiffResolution(path, image.resolution, image.unit);
    return image;
}

Decoded ReadPng(const std::string& path) {
    Decoded image;
    FILE* file = std::fopen(path.c_str(), "rb");
    Check(file, "fopen");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_read_info(png, info);
    if (std::endian::native == std::endian::little) png_set_swap(png);
    png_uint_32 perMetreY;
    png_get_pHYs(png, info, &image.resolution[0], &perMetreY, &image.unit);
    image.resolution[1] = 1;
    image.wide = png_get_image_width(png, info);
    image.high = png_get_image_height(png, info);
    image.bits = png_get_bit_depth(png, info);
    image.channels = png_get_channels(png, info);
    png_charp name;
    int compression;
    png_bytep profile;
    png_uint_32 length;
    if (png_get_iCCP(png, info, &name, &compression, &profile, &length)) image.icc.assign(profile, profile + length);
    std::vector<uint8_t> row(png_get_rowbytes(png, info));
    for (int64_t y = 0; y < image.high; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (int64_t i = 0; i < image.wide * image.channels; ++i) {
            uint16_t value = row[i];
            if (image.bits == 16) std::memcpy(&value, &row[2 * i], 2);
            image.samples.push_back(value);
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return image;
}

Decoded ReadJpeg(const std::string& path) {
    Decoded image;
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    FILE* file = std::fopen(path.c_str(), "rb");
    Check(file, "fopen");
    jpeg_stdio_src(&info, file);
    jpeg_save_markers(&info, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    image.resolution[0] = info.X_density, image.resolution[1] = 1, image.unit = info.density_unit;
    JOCTET* icc = nullptr;
    unsigned size = 0;
    if (jpeg_read_icc_profile(&info, &icc, &size)) {
        image.icc.assign(icc, icc + size);
        std::free(icc);
    }
    jpeg_start_decompress(&info);
    image.wide = info.output_width, image.high = info.output_height, image.channels = info.output_components;
    std::vector<uint8_t> row(image.wide * image.channels);
    for (int64_t y = 0; y < image.high; ++y) {
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&info, &r, 1);
        image.samples.insert(image.samples.end(), row.begin(), row.end());
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return image;
}

std::vector<uint8_t> TestProfile(const char* space) {
    std::vector<uint8_t> p(156, 0);
    const auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) p[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    };
    put(0, 156);
    put(8, 0x02100000);
    std::memcpy(&p[12], "mntr", 4);
    std::memcpy(&p[16], space, 4);
    std::memcpy(&p[20], "XYZ ", 4);
    std::memcpy(&p[36], "acsp", 4);
    put(68, 0xF6D6), put(72, 0x10000), put(76, 0xD32D);  // D50
    for (int i = 0; i < 16; ++i) p[84 + i] = static_cast<uint8_t>(0xA0 + i);
    put(128, 1);
    std::memcpy(&p[132], "cprt", 4);
    put(136, 144), put(140, 12);
    std::memcpy(&p[144], "text\0\0\0\0ab", 10);
    return p;
}

int RunCommand(const std::string& command) {
    const int status = std::system(("timeout 120 " + command).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HaveVips() {
    return RunCommand("vips --version >/dev/null 2>&1") == 0;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

TestFolder::TestFolder() {
    char name[] = "/tmp/corvalin-print-XXXXXX";
    path_ = mkdtemp(name);
}

TestFolder::~TestFolder() {
    std::filesystem::remove_all(path_);
}
