// Fold marks where the rules put them and nowhere else, and the preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "print/make_print_file.h"
#include "print/test_images.h"

namespace {

// 40 x 30 pixels over 1 x 0.7 in: 40 ppi, a face of 40 x 28; a side of a
// quarter inch is 10 pixels.
PrintRequest Request(const std::string& in, const std::string& out) {
    return RequestOf(in, out, kInch, kInch * 7 / 10, kInch / 4);
}

// The marked file is the unmarked one but for 2-pixel ticks on the fold
// lines `linesX` (down the file) and `linesY` (across it), `reach` pixels
// long from the file's edges, each pixel `dark`: black, no light or full
// black ink alone, and opaque.
void ExpectTicks(const Decoded& marked, const Decoded& plain, const std::set<int64_t>& linesX,
                 const std::set<int64_t>& linesY, int64_t reach, const std::vector<uint32_t>& dark) {
    ASSERT_EQ(marked.samples.size(), plain.samples.size());
    ASSERT_EQ(marked.channels, static_cast<int>(dark.size()));
    for (int64_t y = 0; y < marked.high; ++y) {
        for (int64_t x = 0; x < marked.wide; ++x) {
            const bool nearEdgeY = y < reach || y >= marked.high - reach;
            const bool nearEdgeX = x < reach || x >= marked.wide - reach;
            const bool tick = (nearEdgeY && (linesX.count(x) || linesX.count(x + 1))) ||
                              (nearEdgeX && (linesY.count(y) || linesY.count(y + 1)));
            for (int c = 0; c < marked.channels; ++c) {
                ASSERT_EQ(marked.Sample(x, y, c), tick ? dark[c] : plain.Sample(x, y, c))
                    << (tick ? "tick" : "no tick") << " at " << x << "," << y << " channel " << c;
            }
        }
    }
}

// The staple method's turn-over of 5 pixels (an eighth of an inch) holds
// the ticks; the canvas is 70 x 58: folds 5 and 15 from each edge.
TEST(PrintMarks, OnTheStapleTurnOver) {
    TestFolder folder;
    WriteCoordinatePng(folder / "in.png", 40, 30, 3, 8);
    PrintRequest r = Request(folder / "in.png", folder / "plain.tif");
    r.turnOver = kInch / 8;
    std::string error;
    ASSERT_TRUE(MakePrintFile(r, error)) << error;
    r.output = folder / "marked.tif";
    r.marks = true;
    ASSERT_TRUE(MakePrintFile(r, error)) << error;
    ExpectTicks(ReadTiff(folder / "marked.tif"), ReadTiff(folder / "plain.tif"), {5, 15, 55, 65}, {5, 15, 43, 53}, 5,
                {0, 0, 0});
}

// A margin of 0.3 in, 12 pixels, on the regular wrap: ticks in its outer 8
// (a third, 4, left clear by the canvas), on the canvas's edges (12 and
// 12 + 60 across) and the folds 10 in from them; on RGB, CMYK, and grey
// with alpha at 16 bits.
TEST(PrintMarks, InAMarginOutsideTheCanvas) {
    TestFolder folder;
    struct Kind {
        int channels, bits;
        bool cmyk;
        std::vector<uint32_t> dark;
    };
    for (const Kind& kind : {Kind{3, 8, false, {0, 0, 0}}, Kind{4, 8, true, {0, 0, 0, 255}}, Kind{2, 16, false, {0, 65535}}}) {
        SCOPED_TRACE(testing::Message() << kind.channels << " channels, " << kind.bits << "-bit");
        TiffOptions options;
        options.cmyk = kind.cmyk;
        WriteCoordinateTiff(folder / "in.tif", 40, 30, kind.channels, kind.bits, options);
        PrintRequest r = Request(folder / "in.tif", folder / "plain.tif");
        r.margin = kInch * 3 / 10;
        std::string error;
        ASSERT_TRUE(MakePrintFile(r, error)) << error;
        r.output = folder / "marked.tif";
        r.marks = true;
        ASSERT_TRUE(MakePrintFile(r, error)) << error;
        ExpectTicks(ReadTiff(folder / "marked.tif"), ReadTiff(folder / "plain.tif"), {12, 22, 62, 72}, {12, 22, 50, 60},
                    8, kind.dark);
    }
}

// 1600 x 1120 pixels over 1 x 0.7 in is 1600 ppi; a side of 1/32 in (50
// pixels) and a turn-over of 1/16 (100) make a file of 1900 x 1420, and a
// preview of boxes of 3 x 3. Its pixels are the boxes' means, but on the
// outlines: red round the canvas, green at the turn-over's fold, blue round
// the face.
TEST(PrintPreview, BoxMeansWithTheFoldsOutlined) {
    TestFolder folder;
    WriteCoordinatePng(folder / "in.png", 1600, 1120, 3, 8);
    PrintRequest r = Request(folder / "in.png", folder / "out.tif");
    r.side = kInch / 32;      // 50 pixels
    r.turnOver = kInch / 16;  // 100
    r.preview = folder / "preview.png";
    // Progress comes in rows written, rising to all of them.
    std::vector<int64_t> done;
    r.progressContext = &done;
    r.progress = [](int64_t rows, int64_t total, void* context) {
        static_cast<std::vector<int64_t>*>(context)->push_back(rows);
        EXPECT_EQ(total, 1420);
    };
    std::string error;
    ASSERT_TRUE(MakePrintFile(r, error)) << error;
    ASSERT_FALSE(done.empty());
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    EXPECT_EQ(done.back(), 1420);
    const Decoded file = ReadTiff(folder / "out.tif"), preview = ReadPng(folder / "preview.png");
    ASSERT_EQ(file.wide, 1900);
    ASSERT_EQ(file.high, 1420);
    EXPECT_EQ(preview.wide, 634);  // boxes of 3: 1900 / 3 rounded up
    EXPECT_EQ(preview.high, 474);
    EXPECT_EQ(preview.channels, 3);
    EXPECT_EQ(preview.bits, 8);
    const auto colour = [&](int64_t x, int64_t y) {
        return std::vector<uint32_t>{preview.Sample(x, y, 0), preview.Sample(x, y, 1), preview.Sample(x, y, 2)};
    };
    const std::vector<uint32_t> red{255, 0, 0}, green{0, 160, 0}, blue{0, 0, 255};
    EXPECT_EQ(colour(0, 200), red);
    EXPECT_EQ(colour(633, 200), red);
    EXPECT_EQ(colour(300, 473), red);
    EXPECT_EQ(colour(33, 200), green);   // pixel 100 is in box 33
    EXPECT_EQ(colour(300, 33), green);
    EXPECT_EQ(colour(50, 200), blue);    // 150 in box 50
    EXPECT_EQ(colour(583, 200), blue);   // 1750 is the first pixel past the face: box 583 holds its last
    // Inside: the mean of the box's nine pixels, rounded.
    for (int64_t px : {int64_t{10}, int64_t{200}, int64_t{400}}) {
        for (int c = 0; c < 3; ++c) {
            uint32_t sum = 0;
            for (int64_t y = 0; y < 3; ++y) {
                for (int64_t x = 0; x < 3; ++x) sum += file.Sample(3 * px + x, 3 * 100 + y, c);
            }
            EXPECT_EQ(preview.Sample(px, 100, c), (sum + 4) / 9) << px << " channel " << c;
        }
    }
}

// CMYK shown by the simple ink formula, each colour (255 - ink)(255 - black)
// / 255. The file of 60 x 48 is under 800 pixels: a preview pixel a file
// pixel, but on the outlines, rows and columns 0, 10, 37 and 47 down, 0, 10,
// 49 and 59 across.
TEST(PrintPreview, CmykByTheInkFormula) {
    TestFolder folder;
    TiffOptions cmyk;
    cmyk.cmyk = true;
    WriteCoordinateTiff(folder / "in.tif", 40, 30, 4, 8, cmyk);
    PrintRequest r = Request(folder / "in.tif", folder / "out.tif");
    r.preview = folder / "preview.png";
    std::string error;
    ASSERT_TRUE(MakePrintFile(r, error)) << error;
    const Decoded file = ReadTiff(folder / "out.tif"), preview = ReadPng(folder / "preview.png");
    ASSERT_EQ(preview.wide, file.wide);
    ASSERT_EQ(preview.high, file.high);
    const std::set<int64_t> outlinesX{0, 10, 49, 59}, outlinesY{0, 10, 37, 47};
    for (int64_t y = 0; y < file.high; ++y) {
        for (int64_t x = 0; x < file.wide; ++x) {
            if (outlinesX.count(x) || outlinesY.count(y)) continue;
            for (int c = 0; c < 3; ++c) {
                const uint32_t shown = (255 - file.Sample(x, y, c)) * (255 - file.Sample(x, y, 3)) / 255;
                // Within rounding, which the formula leaves open.
                ASSERT_NEAR(preview.Sample(x, y, c), shown, 1) << x << "," << y << " channel " << c;
            }
        }
    }
}

}  // namespace
