// What each format is given: the colour profile byte for byte and the
// resolution in its own fields; what it cannot hold, refused; and images
// as a viewer shows them.
#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "print/exif_orientation.h"
#include "print/make_print_file.h"
#include "print/readers.h"
#include "print/test_images.h"

namespace {

// 100 pixels over 3 in: 100/3 ppi, which only TIFF holds exactly. JFIF
// takes the nearest whole dots per inch, 33; pHYs the nearest pixels per
// metre, 33.33 / 0.0254 = 1312.34: 1312. The face is 100 x 66 pixels
// (2 rows cut above), the side 0.1 in, 3.33 pixels: 4.
PrintRequest Request(const std::string& in, const std::string& out) {
    return RequestOf(in, out, 3 * kInch, 2 * kInch, kInch / 10);
}

TEST(PrintFormats, ProfileAndResolutionRoundTrip) {
    TestFolder folder;
    const std::string in = folder / "in.tif";
    TiffOptions options;
    options.icc = TestProfile("RGB ");
    WriteCoordinateTiff(in, 100, 70, 3, 8, options);
    std::string error;

    const auto fields = [](const Decoded& image) {
        return std::tuple(image.resolution[0], image.resolution[1], image.unit, image.icc);
    };
    for (const char* name : {"out.tif", "out.JPG", "out.png"}) {
        ASSERT_TRUE(MakePrintFile(Request(in, folder / name), error)) << error;
    }
    EXPECT_EQ(fields(ReadTiff(folder / "out.tif")), std::tuple(100u, 3u, 2, options.icc));   // per inch
    EXPECT_EQ(fields(ReadJpeg(folder / "out.JPG")), std::tuple(33u, 1u, 1, options.icc));   // per inch
    EXPECT_EQ(fields(ReadPng(folder / "out.png")), std::tuple(1312u, 1u, 1, options.icc));  // per metre

    // Read back as the file states it: TIFF's through libtiff's float, to
    // 1/10000; JFIF's 33 per inch; PNG's 1312 per metre, 33.3248 per inch.
    const std::pair<const char*, Resolution> stated[] = {
        {"out.tif", {333333, 10000}}, {"out.JPG", {33, 1}}, {"out.png", {1312 * 254, 10000}}};
    for (const auto& [name, ppi] : stated) {
        const std::unique_ptr<RowSource> image = OpenImage(folder / name, error);
        ASSERT_TRUE(image) << error;
        EXPECT_EQ(image->Info().ppi.numerator * ppi.denominator, ppi.numerator * image->Info().ppi.denominator) << name;
    }
    // A resolution of 0 is none stated.
    options.ppi = 0;
    WriteCoordinateTiff(folder / "none.tif", 10, 10, 3, 8, options);
    const std::unique_ptr<RowSource> none = OpenImage(folder / "none.tif", error);
    ASSERT_TRUE(none) << error;
    EXPECT_EQ(std::pair(none->Info().ppi.numerator, none->Info().ppi.denominator), std::pair(int64_t{0}, int64_t{0}));
}

// PNG's pixels are the TIFF's, 16-bit and alpha included, and so are those
// of LZW and Deflate TIFFs.
TEST(PrintFormats, PixelsAreCopiedNotConverted) {
    TestFolder folder;
    const std::string in = folder / "in.png";
    WriteCoordinatePng(in, 100, 70, 4, 16);
    std::string error;
    ASSERT_TRUE(MakePrintFile(Request(in, folder / "out.tif"), error)) << error;
    ASSERT_TRUE(MakePrintFile(Request(in, folder / "out.png"), error)) << error;
    const Decoded tiff = ReadTiff(folder / "out.tif"), png = ReadPng(folder / "out.png");
    EXPECT_EQ(png.bits, 16);
    EXPECT_EQ(png.channels, 4);
    EXPECT_TRUE(tiff.samples == png.samples);
    for (TiffCompression compression : {TiffCompression::Lzw, TiffCompression::Deflate}) {
        PrintRequest r = Request(in, folder / "packed.tif");
        r.compression = compression;
        ASSERT_TRUE(MakePrintFile(r, error)) << error;
        EXPECT_TRUE(ReadTiff(folder / "packed.tif").samples == tiff.samples);
    }
    // Past the 4-pixel side, face pixel (1, 1) is shown (1, 3): 2 rows are cut above.
    EXPECT_EQ(tiff.Sample(5, 5, 0), 1u);
    EXPECT_EQ(tiff.Sample(5, 5, 1), 3u);
}

TEST(PrintFormats, WhatAFormatCannotHoldIsRefused) {
    TestFolder folder;
    std::string error;
    WriteCoordinatePng(folder / "deep.png", 100, 70, 3, 16);
    EXPECT_FALSE(MakePrintFile(Request(folder / "deep.png", folder / "out.jpg"), error));
    EXPECT_EQ(error, "corvalin-calc: " + folder / "out.jpg" + ": JPEG cannot hold 16-bit samples: write TIFF or PNG");
    WriteCoordinatePng(folder / "alpha.png", 100, 70, 4, 8);
    EXPECT_FALSE(MakePrintFile(Request(folder / "alpha.png", folder / "out.jpg"), error));
    EXPECT_EQ(error, "corvalin-calc: " + folder / "out.jpg" + ": JPEG cannot hold an alpha channel: write TIFF or PNG");
    TiffOptions cmyk;
    cmyk.cmyk = true;
    WriteCoordinateTiff(folder / "cmyk.tif", 100, 70, 4, 8, cmyk);
    EXPECT_FALSE(MakePrintFile(Request(folder / "cmyk.tif", folder / "out.png"), error));
    EXPECT_EQ(error, "corvalin-calc: " + folder / "out.png" + ": PNG cannot hold CMYK: write TIFF or JPEG");
    EXPECT_FALSE(MakePrintFile(Request(folder / "cmyk.tif", folder / "out.gif"), error));
    EXPECT_EQ(error, "corvalin-calc: " + folder / "out.gif" + ": its name must end in .tif, .tiff, .jpg, .jpeg or .png");
    EXPECT_FALSE(FileExists(folder / "out.jpg") || FileExists(folder / "out.png") || FileExists(folder / "out.gif"));
}

// Numbers appended to `bytes`, `count` bytes each, in either byte order.
void Put(std::string& bytes, bool bigEndian, std::initializer_list<uint32_t> values, int count) {
    for (uint32_t value : values) {
        for (int i = 0; i < count; ++i) bytes += static_cast<char>(value >> 8 * (bigEndian ? count - 1 - i : i));
    }
}

// EXIF as a camera writes it: IFD0 with ImageWidth, Make and Model before
// the Orientation and XResolution after it, longer values past the IFD;
// `orientation` 0 for none. An entry: tag, type, count, then the value or
// where it is (a SHORT in the first two of its four bytes).
std::string CameraExif(bool bigEndian, uint32_t orientation) {
    std::string exif = bigEndian ? "MM" : "II";
    Put(exif, bigEndian, {42}, 2);
    Put(exif, bigEndian, {8}, 4);
    const uint32_t entries = orientation ? 5 : 4;
    const uint32_t values = 8 + 2 + 12 * entries + 4;
    Put(exif, bigEndian, {entries}, 2);
    Put(exif, bigEndian, {0x0100, 4}, 2), Put(exif, bigEndian, {1, 6000}, 4);
    Put(exif, bigEndian, {0x010F, 2}, 2), Put(exif, bigEndian, {6, values}, 4);
    Put(exif, bigEndian, {0x0110, 2}, 2), Put(exif, bigEndian, {7, values + 6}, 4);
    if (orientation) {
        Put(exif, bigEndian, {0x0112, 3}, 2), Put(exif, bigEndian, {1}, 4), Put(exif, bigEndian, {orientation, 0}, 2);
    }
    Put(exif, bigEndian, {0x011A, 5}, 2), Put(exif, bigEndian, {1, values + 14}, 4);
    Put(exif, bigEndian, {0}, 4);  // no next IFD
    exif += std::string("Canon\0EOS R5\0\0", 14);
    Put(exif, bigEndian, {300, 1}, 4);
    return exif;
}

// The orientation is found among IFD0's other entries, in either byte
// order; with none, the image is shown as stored, orientation 1.
TEST(PrintFormats, ExifOrientationAmongACamerasEntries) {
    for (bool bigEndian : {false, true}) {
        for (uint32_t orientation = 0; orientation <= 8; ++orientation) {
            const std::string exif = CameraExif(bigEndian, orientation);
            EXPECT_EQ(ExifOrientation(reinterpret_cast<const uint8_t*>(exif.data()), exif.size()),
                      orientation ? static_cast<int>(orientation) : 1)
                << (bigEndian ? "big" : "little") << "-endian, orientation " << orientation;
        }
    }
}

// The format asks for tiles a multiple of 16 pixels wide and long, and
// libtiff writes no other, but it reads any, with a warning: a 3 x 2 grey
// TIFF in tiles of one pixel, made by hand (the header, the pixels 100 +
// 10 y + x a tile each, the tiles' places and sizes, then IFD0), reads as
// it was made.
TEST(PrintFormats, TiffTilesOfOnePixel) {
    TestFolder folder;
    std::string tiff = "II";
    Put(tiff, false, {42}, 2);
    Put(tiff, false, {62}, 4);
    Put(tiff, false, {100, 101, 102, 110, 111, 112}, 1);
    Put(tiff, false, {8, 9, 10, 11, 12, 13}, 4);  // at 14
    Put(tiff, false, {1, 1, 1, 1, 1, 1}, 4);        // at 38
    Put(tiff, false, {10}, 2);                       // IFD0, at 62
    // Width, length, bits, no compression, grey, one sample, the tile's width and length.
    const std::pair<uint32_t, uint32_t> shorts[] = {{256, 3}, {257, 2}, {258, 8}, {259, 1},
                                                    {262, 1}, {277, 1}, {322, 1}, {323, 1}};
    for (const auto& [tag, value] : shorts) Put(tiff, false, {tag, 3, 1, 0, value, 0}, 2);
    Put(tiff, false, {324, 4}, 2), Put(tiff, false, {6, 14}, 4);
    Put(tiff, false, {325, 4}, 2), Put(tiff, false, {6, 38}, 4);
    Put(tiff, false, {0}, 4);
    std::ofstream(folder / "tiles.tif", std::ios::binary) << tiff;
    std::string error;
    const std::unique_ptr<RowSource> image = OpenImage(folder / "tiles.tif", error);
    ASSERT_TRUE(image) << error;
    ASSERT_EQ(image->Info().wide, 3);
    ASSERT_EQ(image->Info().high, 2);
    ASSERT_EQ(image->Info().format.Channels(), 1);
    for (const std::vector<uint8_t>& want : {std::vector<uint8_t>{100, 101, 102}, std::vector<uint8_t>{110, 111, 112}}) {
        std::vector<uint8_t> row(3);
        ASSERT_TRUE(image->ReadRow(row.data())) << image->Error();
        EXPECT_EQ(row, want);
    }
}

// JPEGs whose EXIF says to turn them, against libvips's autorot of the same
// file: one decoder, so the very same pixels.
TEST(PrintFormats, ExifRotatedJpegPrintsAsShown) {
    if (!HaveVips()) GTEST_SKIP() << "vips (Debian's libvips-tools) is not installed: the comparison with libvips is skipped";
    TestFolder folder;
    for (int orientation : {3, 6, 8}) {
        const std::string in = folder / "in.jpg", out = folder / "out.tif";
        WriteCoordinateJpeg(in, 100, 70, orientation);
        std::string error;
        PrintRequest r = Request(in, out);
        r.compression = TiffCompression::None;
        ASSERT_TRUE(MakePrintFile(r, error)) << error;
        ASSERT_EQ(RunCommand("vips autorot " + in + " " + folder / "shown.v"), 0);
        // The face is 66 of the 70 rows, 2 cut above; the side 4 pixels.
        ASSERT_EQ(RunCommand("vips crop " + folder / "shown.v" + " " + folder / "face.v" + " 0 2 100 66"), 0);
        ASSERT_EQ(RunCommand("vips embed " + folder / "face.v" + " " + folder / "ref.tif" + " 4 4 108 74 --extend mirror"), 0);
        const Decoded ours = ReadTiff(out), theirs = ReadTiff(folder / "ref.tif");
        EXPECT_EQ(ours.wide, 108);
        EXPECT_TRUE(ours.samples == theirs.samples) << "orientation " << orientation;
    }
}

// A palette PNG, one with a transparent entry, and 2-bit grey are read as
// 8-bit RGB, RGB with alpha and grey, the same values libvips reads, and so
// are interlaced PNGs; the images are ImageMagick's (Debian's imagemagick,
// which the project installs).
TEST(PrintFormats, PngsReadAsLibvipsReadsThem) {
    if (!HaveVips()) GTEST_SKIP() << "vips (Debian's libvips-tools) is not installed: the comparison with libvips is skipped";
    TestFolder folder;
    const std::string make = "/usr/bin/convert -size 40x30 -depth 8 ";
    const std::pair<const char*, std::string> images[] = {
        {"palette.png", make + "gradient:red-blue -colors 5 PNG8:"},
        {"clear.png", make + "gradient:red-blue -alpha set -channel A -fx 'i<10?0:1' +channel -colors 5 PNG8:"},
        {"grey2.png", make + "gradient:white-black -colorspace Gray -depth 2 "},
        {"interlaced-palette.png", make + "gradient:red-blue -colors 5 -interlace PNG PNG8:"},
        {"interlaced-16.png", "/usr/bin/convert -size 40x30 -depth 16 gradient:red-blue -alpha set -channel A -fx i/40 "
                              "+channel -interlace PNG "},
    };
    for (const auto& [name, command] : images) {
        ASSERT_EQ(RunCommand(command + folder / name), 0) << name;
        std::string error;
        // 40 x 30 pixels over 1 x 0.75 in: 40 ppi, the whole image the face, sides of 10.
        ASSERT_TRUE(MakePrintFile(RequestOf(folder / name, folder / "out.tif", kInch, kInch * 3 / 4, kInch / 4), error))
            << error;
        ASSERT_EQ(RunCommand("vips embed " + folder / name + " " + folder / "ref.tif" + " 10 10 60 50 --extend mirror"), 0);
        const Decoded ours = ReadTiff(folder / "out.tif"), theirs = ReadTiff(folder / "ref.tif");
        EXPECT_EQ(ours.channels, theirs.channels) << name;
        EXPECT_TRUE(ours.samples == theirs.samples) << name;
    }
}

// CMYK through JPEG and back: ink as it was (not inverted), within JPEG's loss.
TEST(PrintFormats, CmykThroughJpegKeepsItsInk) {
    TestFolder folder;
    TiffOptions cmyk;
    cmyk.cmyk = true;
    cmyk.icc = TestProfile("CMYK");
    WriteCoordinateTiff(folder / "cmyk.tif", 100, 70, 4, 8, cmyk);
    std::string error;
    ASSERT_TRUE(MakePrintFile(Request(folder / "cmyk.tif", folder / "out.jpg"), error)) << error;
    ASSERT_TRUE(MakePrintFile(Request(folder / "out.jpg", folder / "back.tif"), error)) << error;
    const Decoded back = ReadTiff(folder / "back.tif");
    EXPECT_EQ(back.icc, cmyk.icc);
    ASSERT_EQ(back.channels, 4);
    // Shown pixel (50, 30) lies at (54, 32) in the 108 x 74 JPEG, and at
    // (58, 35) in the file made from it: 36 ppi, 72 of its rows, 1 cut above.
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(back.Sample(58, 35, c), CoordinateSample(50, 30, c, 8), 3) << c;
}

}  // namespace
