// Nothing lost: a failure leaves no file behind and an earlier output as
// it was, and says what went wrong in one line; the image is never written over.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <tiffio.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "print/make_print_file.h"
#include "print/test_images.h"

namespace {

PrintRequest Request(const std::string& in, const std::string& out) {
    return RequestOf(in, out, 3 * kInch, 2 * kInch, kInch / 2);
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The folder holds exactly these names: no temporary file was left.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// `bytes` with the big-endian number at `at`, `count` bytes, set to `value`:
// JPEG's and PNG's sizes are stored so.
void PutBigEndian(std::string& bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes.at(at + i) = static_cast<char>(value >> 8 * (count - 1 - i));
}

TEST(PrintFailures, BadImagesLeaveNothingAndKeepAnEarlierOutput) {
    TestFolder folder;
    WriteCoordinatePng(folder / "good.png", 300, 200, 3, 8);
    WriteCoordinatePng(folder / "interlaced.png", 300, 200, 3, 8, true);
    WriteCoordinateJpeg(folder / "good.jpg", 300, 200, 1);
    WriteCoordinateJpeg(folder / "turned.jpg", 300, 200, 6);
    WriteCoordinateJpeg(folder / "progressive.jpg", 32, 32, 1, true);
    TiffOptions lzw;
    lzw.lzw = true;
    WriteCoordinateTiff(folder / "good.tif", 300, 200, 3, 8, lzw);
    const std::string png = ReadBytes(folder / "good.png"), jpeg = ReadBytes(folder / "good.jpg"),
                      tiff = ReadBytes(folder / "good.tif"), turned = ReadBytes(folder / "turned.jpg");
    WriteText(folder / "empty.jpg", "");
    WriteText(folder / "text.tif", "just some words, not a picture\n");
    WriteText(folder / "cut.png", png.substr(0, png.size() / 2));
    const std::string interlaced = ReadBytes(folder / "interlaced.png");
    WriteText(folder / "cut-interlaced.png", interlaced.substr(0, interlaced.size() / 2));
    WriteText(folder / "cut.jpg", jpeg.substr(0, jpeg.size() / 2));
    WriteText(folder / "cut.tif", tiff.substr(0, tiff.size() / 2));
    // Shown turned, through the scratch file: cut before its last stored rows.
    WriteText(folder / "cut-turned.jpg", turned.substr(0, turned.size() / 2));
    // A PNG with damaged pixel data: its checksum no longer fits.
    std::string damaged = png;
    damaged[damaged.size() / 2] ^= 0x55;
    WriteText(folder / "damaged.png", damaged);
    // A TIFF whole to its last byte, its first strip's LZW codes (just past
    // the 8-byte header, where libtiff puts them) garbage.
    damaged = tiff;
    damaged.replace(8, 16, 16, '\xFF');
    WriteText(folder / "damaged.tif", damaged);
    // A progressive JPEG holds every coefficient until its last scan: one
    // whose frame header says 13392 x 13392 (a multiple of the 16-pixel
    // block of 2 x 2 sampled colour) would hold 1674^2 luma blocks and
    // 837^2 of each chroma, 128 bytes each: 538,036,992 bytes, 513 MB, just
    // past the 512 MB read. The frame header is SOF2: FF C2, its length,
    // the precision, then the height and the width.
    std::string huge = ReadBytes(folder / "progressive.jpg");
    const size_t frame = huge.find("\xFF\xC2");
    ASSERT_NE(frame, std::string::npos);
    PutBigEndian(huge, frame + 5, 13392, 2);
    PutBigEndian(huge, frame + 7, 13392, 2);
    WriteText(folder / "huge.jpg", huge);
    // A baseline JPEG may say up to 65,535 pixels a side; libjpeg reads up to
    // 65,500. Its frame header is SOF0, FF C0.
    std::string over = jpeg;
    const size_t baseline = over.find("\xFF\xC0");
    ASSERT_NE(baseline, std::string::npos);
    PutBigEndian(over, baseline + 7, 65501, 2);
    WriteText(folder / "over.jpg", over);
    // A PNG whose header says a million and one pixels wide, its checksum
    // made anew: the width is bytes 16 to 19, the checksum of the chunk's
    // type and data (bytes 12 to 28) bytes 29 to 32.
    std::string wide = png;
    PutBigEndian(wide, 16, 1000001, 4);
    PutBigEndian(wide, 29, crc32(0, reinterpret_cast<const Bytef*>(wide.data() + 12), 17), 4);
    WriteText(folder / "wide.png", wide);
    // An interlaced PNG is read whole: one whose header says 20,000 x 9,000
    // RGB holds 540,000,000 bytes, 514 MB, past the 512 MB read. The height
    // is bytes 20 to 23.
    std::string tall = interlaced;
    PutBigEndian(tall, 16, 20000, 4);
    PutBigEndian(tall, 20, 9000, 4);
    PutBigEndian(tall, 29, crc32(0, reinterpret_cast<const Bytef*>(tall.data() + 12), 17), 4);
    WriteText(folder / "huge.png", tall);
    // A grey TIFF stored white as zero, as some scanners write it.
    WriteCoordinateTiff(folder / "white-zero.tif", 30, 20, 1, 8);
    TIFF* reversed = TIFFOpen((folder / "white-zero.tif").c_str(), "r+");
    ASSERT_NE(reversed, nullptr);
    TIFFSetField(reversed, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFRewriteDirectory(reversed);
    TIFFClose(reversed);
    WriteText(folder / "earlier.tif", "an earlier output");
    std::filesystem::create_directory(folder / "folder.png");
    const std::vector<std::string> before = Names(folder / ".");

    const std::pair<const char*, const char*> cases[] = {
        {"empty.jpg", "the file is empty"},
        {"text.tif", "not a JPEG, PNG or TIFF image"},
        {"missing.png", "cannot open it: No such file or directory"},
        {"folder.png", "cannot read it: Is a directory"},
        {"cut.png", "the image is truncated"},
        {"cut-interlaced.png", "the image is truncated"},
        {"cut.jpg", "the image is truncated"},
        {"cut.tif", "the image is truncated"},
        {"cut-turned.jpg", "the image is truncated"},
        {"damaged.png", "the image is damaged (IDAT: CRC error)"},
        {"damaged.tif", "the image is damaged (Using code not yet in table)"},
        {"white-zero.tif", "this TIFF is not read: its colour is grey stored white as zero: save it as RGB, CMYK or grey "
                           "with black as zero"},
        {"huge.jpg", "a progressive JPEG is read whole, and this one would take 513 MB: save it as a baseline JPEG or as TIFF"},
        {"wide.png", "the image is 1000001 x 200 pixels: each side must be 1 to 1,000,000"},
        {"huge.png", "an interlaced PNG is read whole, and this one would take 514 MB: save it without interlacing"},
        {"over.jpg", "this JPEG is not read: Maximum supported image dimension is 65500 pixels"},
    };
    for (const auto& [name, says] : cases) {
        for (const char* output : {"earlier.tif", "new.jpg"}) {
            // A solid edge of the face's mean colour reads the image twice:
            // the first pass fails as the second does.
            for (const char* colour : {"", "auto"}) {
                PrintRequest r = Request(folder / name, folder / output);
                if (*colour) r.edge = EdgeKind::Solid, r.colour = colour;
                std::string error;
                EXPECT_FALSE(MakePrintFile(r, error));
                EXPECT_EQ(error, "corvalin-calc: " + folder / name + ": " + says) << colour;
                EXPECT_EQ(Names(folder / "."), before) << name;
                EXPECT_EQ(ReadBytes(folder / "earlier.tif"), "an earlier output");
            }
        }
    }
}

TEST(PrintFailures, TheImageIsNeverWrittenOver) {
    TestFolder folder;
    WriteCoordinatePng(folder / "photo.png", 30, 20, 3, 8);
    const std::string image = ReadBytes(folder / "photo.png");
    std::filesystem::create_symlink(folder / "photo.png", folder / "link.png");
    std::filesystem::create_hard_link(folder / "photo.png", folder / "hard.png");
    for (const char* name : {"photo.png", "link.png", "hard.png"}) {
        std::string error;
        EXPECT_FALSE(MakePrintFile(Request(folder / "photo.png", folder / name), error));
        EXPECT_EQ(error, "corvalin-calc: " + folder / name + ": is the image itself: the image is never written over");
        PrintRequest asPreview = Request(folder / "photo.png", folder / "out.png");
        asPreview.preview = folder / name;
        EXPECT_FALSE(MakePrintFile(asPreview, error));
        EXPECT_EQ(error, "corvalin-calc: " + folder / name + ": is the image itself: the image is never written over");
    }
    EXPECT_EQ(ReadBytes(folder / "photo.png"), image);
    EXPECT_FALSE(FileExists(folder / "out.png"));
}

// A full disk, as a file size limit in a child process: the write fails
// part way, with the library's words for a failed write (libtiff's and
// libjpeg's as they write the rows; libpng's small file reaches the disk
// only as it is closed, with the system's words), and what was there stays.
TEST(PrintFailures, AFullDiskLeavesNothingHalfWritten) {
    TestFolder folder;
    WriteCoordinatePng(folder / "photo.png", 600, 400, 3, 8);
    const std::pair<const char*, std::string> says[] = {
        {"out.tif", "Write error at scanline "},
        {"out.jpg", "Output file write error --- out of disk space?)"},
        {"out.png", std::strerror(EFBIG) + std::string(")")},
    };
    for (const auto& [output, words] : says) {
        WriteText(folder / output, "an earlier output");
        const std::vector<std::string> before = Names(folder / ".");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            alarm(60);  // the deadline of this wait
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1024, 1024};
            setrlimit(RLIMIT_FSIZE, &limit);
            PrintRequest r = Request(folder / "photo.png", folder / output);
            r.compression = TiffCompression::None;
            std::string error;
            const bool failed = !MakePrintFile(r, error);
            const std::string start = "corvalin-calc: " + folder / output + ": cannot be written (" + words;
            _exit(failed && error.compare(0, start.size(), start) == 0 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
        EXPECT_EQ(Names(folder / "."), before) << output;
        EXPECT_TRUE(ReadBytes(folder / output) == "an earlier output") << output;
    }
}

// A TIFF's profile cut short, which TIFF and JPEG carry as they are given
// it: libpng refuses it as the PNG is begun, and says why.
TEST(PrintFailures, AWriterThatCannotBeginLeavesNothing) {
    TestFolder folder;
    TiffOptions cut;
    cut.icc = TestProfile("RGB ");
    cut.icc.resize(140);  // its header still says 156 bytes (9C in hex)
    WriteCoordinateTiff(folder / "photo.tif", 30, 20, 3, 8, cut);
    WriteText(folder / "out.png", "an earlier output");
    std::string error;
    EXPECT_FALSE(MakePrintFile(Request(folder / "photo.tif", folder / "out.png"), error));
    EXPECT_EQ(error, "corvalin-calc: " + folder / "out.png" +
                         ": cannot be written (profile 'ICC profile': 9Ch: length does not match profile)");
    EXPECT_EQ(Names(folder / "."), (std::vector<std::string>{"out.png", "photo.tif"}));
    EXPECT_EQ(ReadBytes(folder / "out.png"), "an earlier output");
}

TEST(PrintFailures, AnEdgeColourMustFitTheImage) {
    TestFolder folder;
    WriteCoordinatePng(folder / "photo.png", 30, 20, 3, 8);
    PrintRequest r = Request(folder / "photo.png", folder / "out.tif");
    r.edge = EdgeKind::Solid;
    for (const char* colour : {"fff", "00000000", "ffffgg"}) {
        r.colour = colour;
        std::string error;
        EXPECT_FALSE(MakePrintFile(r, error));
        EXPECT_EQ(error, "corvalin-calc: " + folder / "photo.png" + ": the edge colour \"" + colour +
                             "\" is not 6 hex digits, one byte per channel of an RGB image");
    }
    EXPECT_FALSE(FileExists(folder / "out.tif"));
}

TEST(PrintFailures, FoldMarksOnTheRegularWrapNeedAMargin) {
    TestFolder folder;
    WriteCoordinatePng(folder / "photo.png", 30, 20, 3, 8);
    PrintRequest r = Request(folder / "photo.png", folder / "out.tif");
    r.marks = true;
    std::string error;
    EXPECT_FALSE(MakePrintFile(r, error));
    EXPECT_EQ(error, "corvalin-calc: " + folder / "out.tif" +
                         ": fold marks on the regular wrap would show on the canvas: ask for a margin outside it, or "
                         "use the staple method, whose turn-over hides them");
    EXPECT_FALSE(FileExists(folder / "out.tif"));
}

}  // namespace
