// Test images whose pixels say where they are, written and read with the
// image libraries directly (not through the engine under test), and the
// runs of the independent tools the tests compare with.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "print/make_print_file.h"

constexpr int64_t kInch = 25400000;  // nanometres

// A print file of `in` to `out` for a face `width` x `length` and a side,
// all in nanometres; the regular wrap, mirror edges, uncompressed TIFF.
PrintRequest RequestOf(const std::string& in, const std::string& out, int64_t width, int64_t length, int64_t side);

// A decoded image: every sample as a number, interleaved.
struct Decoded {
    int64_t wide = 0, high = 0;
    int channels = 0, bits = 8;
    std::vector<uint32_t> samples;
    std::vector<uint8_t> icc;
    // The resolution fields as stored, and their unit's code: TIFF's X
    // resolution, a RATIONAL (unit 2, the inch); JFIF's density over 1 (unit
    // 1, the inch); PNG's pHYs over 1 (unit 1, the metre).
    uint32_t resolution[2] = {0, 0};
    int unit = 0;
    uint32_t Sample(int64_t x, int64_t y, int c) const { return samples[(y * wide + x) * channels + c]; }
};

// The sample values of a pixel shown at (x, y), channel c, in an image of
// `channels` channels and `bits` bits: 8-bit images hold x and y mod 256 and
// a check of their high parts, 16-bit ones x and y whole; a fourth channel
// (CMYK's black, or alpha) holds (x + y) mod 251 and a fifth 200.
uint32_t CoordinateSample(int64_t x, int64_t y, int c, int bits);

// Where the pixel shown at (x, y) is stored, for an EXIF orientation, in an
// image shown `wide` x `high`: read from the EXIF table of which side row 0
// and column 0 of the stored image are shown on.
void StoredPlace(int orientation, int64_t wide, int64_t high, int64_t x, int64_t y, int64_t& storedX, int64_t& storedY);

struct TiffOptions {
    int orientation = 1;
    bool tiled = false;
    bool planar = false;
    bool lzw = false;
    bool cmyk = false;  // 4 channels as CMYK rather than RGB and alpha
    std::vector<uint8_t> icc;
    double ppi = -1;  // the resolution stated, pixels per inch; none when negative
};

// A coordinate image shown `wide` x `high`, stored as the orientation says.
void WriteCoordinateTiff(const std::string& path, int64_t wide, int64_t high, int channels, int bits,
                         const TiffOptions& options = {});
void WriteCoordinatePng(const std::string& path, int64_t wide, int64_t high, int channels, int bits,
                        bool interlaced = false);
// A JPEG (quality 100, colour sampled 2 x 2; lossy all the same) with an
// EXIF orientation; baseline, or progressive.
void WriteCoordinateJpeg(const std::string& path, int64_t wide, int64_t high, int orientation, bool progressive = false);

Decoded ReadTiff(const std::string& path);
Decoded ReadPng(const std::string& path);
Decoded ReadJpeg(const std::string& path);

// A small ICC profile that libpng accepts for the colour kind ("RGB ",
// "GRAY" or "CMYK"), with bytes that tell one copy from a changed one.
std::vector<uint8_t> TestProfile(const char* space);

// Runs a shell command with a deadline of 120 seconds; its exit status.
int RunCommand(const std::string& command);
bool HaveVips();

std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// A fresh folder for one test, removed when it ends.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};
