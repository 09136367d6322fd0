// Every pixel of the print file checked against where the rules say it
// comes from, on images whose pixels say where they are; and the mirror and
// stretch files against libvips's own.
#include <gtest/gtest.h>

#include "print/make_print_file.h"
#include "print/test_images.h"

namespace {

// The face pixel an edge pixel `at` from the face's start repeats, by the
// help's words: a mirror reflects at each end of the face, the edge pixel
// repeated, as often as it takes; a stretch repeats the edge pixel.
int64_t FacePixel(int64_t at, int64_t size, EdgeKind edge) {
    if (edge == EdgeKind::Stretch) return at < 0 ? 0 : at >= size ? size - 1 : at;
    while (at < 0 || at >= size) at = at < 0 ? -1 - at : 2 * size - 1 - at;
    return at;
}

struct Expected {
    int64_t skipX, skipY, faceWide, faceHigh, bandX, bandY, margin;
    EdgeKind edge;
    std::vector<uint32_t> solid;  // the colour of a solid edge
};

// Checks every pixel; stops at the first wrong one.
void ExpectPixels(const Decoded& out, const Expected& e, int bits, bool cmyk) {
    ASSERT_EQ(out.wide, e.faceWide + 2 * (e.bandX + e.margin));
    ASSERT_EQ(out.high, e.faceHigh + 2 * (e.bandY + e.margin));
    const int colours = cmyk ? 4 : out.channels >= 3 ? 3 : 1;
    const uint32_t full = bits == 8 ? 255 : 65535;
    for (int64_t y = 0; y < out.high; ++y) {
        for (int64_t x = 0; x < out.wide; ++x) {
            const int64_t cx = x - e.margin - e.bandX, cy = y - e.margin - e.bandY;
            const bool margin = x < e.margin || y < e.margin || x >= out.wide - e.margin || y >= out.high - e.margin;
            const bool face = cx >= 0 && cy >= 0 && cx < e.faceWide && cy < e.faceHigh;
            for (int c = 0; c < out.channels; ++c) {
                uint32_t want;
                if (margin) {
                    want = c >= colours ? 0 : cmyk ? 0 : full;
                } else if (!face && e.edge == EdgeKind::Solid) {
                    want = e.solid[c];
                } else {
                    want = CoordinateSample(e.skipX + FacePixel(cx, e.faceWide, e.edge),
                                            e.skipY + FacePixel(cy, e.faceHigh, e.edge), c, bits);
                }
                if (out.Sample(x, y, c) != want) {
                    FAIL() << "pixel " << x << "," << y << " channel " << c << ": " << out.Sample(x, y, c) << " not "
                           << want;
                }
            }
        }
    }
}

PrintRequest Request(const std::string& in, const std::string& out, int64_t side, int64_t turnOver, EdgeKind edge) {
    // 40 pixels over 1 in (40 ppi) across; 0.7 in down is 28 of the 30 rows.
    PrintRequest r = RequestOf(in, out, kInch, kInch * 7 / 10, side);
    r.turnOver = turnOver;
    r.edge = edge;
    return r;
}

// Each edge, both methods, each orientation, 8 and 16 bits, and every way
// a TIFF lays its samples out, over a 40 x 30 image shown: the face is 40 x
// 28 at 40 ppi, one row cut above and one below; the side of a quarter inch
// is 10 pixels, the staple turn-over of an eighth 5.
TEST(PrintEdges, EveryPixelComesFromWhereTheRulesSay) {
    TestFolder folder;
    const std::string in = folder / "in.tif", out = folder / "out.tif";
    int layoutKind = 0;
    for (int bits : {8, 16}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            TiffOptions options;
            options.orientation = orientation;
            options.tiled = layoutKind % 3 == 1;
            options.planar = layoutKind % 2 == 1;
            options.lzw = layoutKind % 4 == 3;
            ++layoutKind;
            const int channels = orientation % 2 == 0 ? 4 : 3;  // RGB with alpha, or RGB
            WriteCoordinateTiff(in, 40, 30, channels, bits, options);
            for (EdgeKind edge : {EdgeKind::Mirror, EdgeKind::Stretch, EdgeKind::Solid}) {
                for (int64_t turnOver : {int64_t{0}, kInch / 8}) {
                    SCOPED_TRACE(testing::Message() << bits << "-bit, orientation " << orientation << ", edge "
                                                    << static_cast<int>(edge) << ", turn-over " << turnOver);
                    PrintRequest r = Request(in, out, kInch / 4, turnOver, edge);
                    r.colour = channels == 4 ? "c0ffee" : "123456";
                    std::string error;
                    ASSERT_TRUE(MakePrintFile(r, error)) << error;
                    const int64_t band = turnOver ? 15 : 10;
                    std::vector<uint32_t> solid = channels == 4 ? std::vector<uint32_t>{0xC0, 0xFF, 0xEE, 255}
                                                                : std::vector<uint32_t>{0x12, 0x34, 0x56};
                    if (bits == 16) {
                        for (uint32_t& s : solid) s *= 257;
                    }
                    ExpectPixels(ReadTiff(out), {0, 1, 40, 28, band, band, 0, edge, solid}, bits, false);
                }
            }
        }
    }
}

// A side of 1.5 in is 60 pixels, longer than the face each way: the
// reflection goes on, and stretch repeats the edge all the way; with a
// margin, CMYK and grey with alpha.
TEST(PrintEdges, BandsWiderThanTheFaceAndMargins) {
    TestFolder folder;
    const std::string in = folder / "in.tif", out = folder / "out.tif";
    for (bool cmyk : {false, true}) {
        TiffOptions options;
        options.cmyk = cmyk;
        WriteCoordinateTiff(in, 40, 30, cmyk ? 4 : 2, 8, options);
        for (EdgeKind edge : {EdgeKind::Mirror, EdgeKind::Stretch}) {
            PrintRequest r = Request(in, out, kInch * 3 / 2, 0, edge);
            r.margin = kInch / 20;  // 2 pixels
            std::string error;
            ASSERT_TRUE(MakePrintFile(r, error)) << error;
            ExpectPixels(ReadTiff(out), {0, 1, 40, 28, 60, 60, 2, edge, {}}, 8, cmyk);
        }
    }
}

// `image`: the file is the image less the crop, pixel for pixel. The canvas
// is 1.5 x 1.2 in; 40 pixels across give 26.67 ppi and 32 rows, more than
// the 30 there are: the height sets 25 ppi, and across 37.5 pixels are
// kept of 40: 3 cut, 1 before.
TEST(PrintEdges, ImageEdgeIsTheCroppedImage) {
    TestFolder folder;
    const std::string in = folder / "in.png", out = folder / "out.tif";
    WriteCoordinatePng(in, 40, 30, 3, 16);
    std::string error;
    ASSERT_TRUE(MakePrintFile(Request(in, out, kInch / 4, 0, EdgeKind::Image), error)) << error;
    ExpectPixels(ReadTiff(out), {1, 0, 37, 30, 0, 0, 0, EdgeKind::Image, {}}, 16, false);
}

// The mean of the face's outer strip, the side's width (10 pixels) all
// round, worked out here from the image's own formula.
TEST(PrintEdges, AutoSolidIsTheMeanOfTheOuterStrip) {
    TestFolder folder;
    const std::string in = folder / "in.png", out = folder / "out.tif";
    WriteCoordinatePng(in, 40, 30, 3, 8);
    PrintRequest r = Request(in, out, kInch / 4, 0, EdgeKind::Solid);
    r.colour = "auto";
    std::string error;
    ASSERT_TRUE(MakePrintFile(r, error)) << error;
    std::vector<uint32_t> mean(3);
    for (int c = 0; c < 3; ++c) {
        uint64_t sum = 0, count = 0;
        for (int64_t y = 0; y < 28; ++y) {
            for (int64_t x = 0; x < 40; ++x) {
                if (x >= 10 && x < 30 && y >= 10 && y < 18) continue;
                sum += CoordinateSample(x, y + 1, c, 8);
                ++count;
            }
        }
        mean[c] = static_cast<uint32_t>((2 * sum + count) / (2 * count));
    }
    ExpectPixels(ReadTiff(out), {0, 1, 40, 28, 10, 10, 0, EdgeKind::Solid, mean}, 8, false);
}

// The same face given to `vips embed` with --extend mirror and copy.
TEST(PrintEdges, MirrorAndStretchEqualLibvips) {
    if (!HaveVips()) GTEST_SKIP() << "vips (Debian's libvips-tools) is not installed: the comparison with libvips is skipped";
    TestFolder folder;
    const std::string in = folder / "in.tif", out = folder / "out.tif";
    WriteCoordinateTiff(in, 40, 30, 3, 8);
    for (int64_t side : {kInch / 4, kInch * 3 / 2}) {
        for (const char* extend : {"mirror", "copy"}) {
            const EdgeKind edge = extend[0] == 'm' ? EdgeKind::Mirror : EdgeKind::Stretch;
            std::string error;
            ASSERT_TRUE(MakePrintFile(Request(in, out, side, 0, edge), error)) << error;
            const int64_t band = side * 40 / kInch;
            const std::string ref = folder / "ref.tif";
            ASSERT_EQ(RunCommand("vips crop " + in + " " + folder / "face.v" + " 0 1 40 28"), 0);
            ASSERT_EQ(RunCommand("vips embed " + folder / "face.v" + " " + ref + " " + std::to_string(band) + " " +
                          std::to_string(band) + " " + std::to_string(40 + 2 * band) + " " + std::to_string(28 + 2 * band) +
                          " --extend " + extend),
                      0);
            const Decoded ours = ReadTiff(out), theirs = ReadTiff(ref);
            EXPECT_EQ(ours.wide, theirs.wide);
            EXPECT_EQ(ours.high, theirs.high);
            EXPECT_TRUE(ours.samples == theirs.samples) << extend << " with a band of " << band;
        }
    }
}

}  // namespace
