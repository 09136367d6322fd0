// The image readers on arbitrary bytes: each file is read to its last row,
// turned as its orientation says, or refused with a reason; never a crash,
// a read out of bounds or a leak. The bytes go through a file because the
// readers take files, as the program does.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "print/oriented_source.h"
#include "print/readers.h"

namespace {

// Larger images only take longer to read, so each run tries more inputs.
constexpr int64_t kLargestPixels = 1 << 20;

// One file for the whole run, removed when the run ends.
const std::string& FilePath() {
    static const std::string path = "/tmp/image_reader_fuzz-" + std::to_string(getpid());
    static const int removal = std::atexit([] { std::remove(FilePath().c_str()); });
    (void)removal;
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(FilePath().c_str(), "wb");
    if (!file) std::abort();
    if (std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) std::abort();
    std::string error;
    std::unique_ptr<RowSource> image = OpenImage(FilePath(), error);
    if (!image) {
        if (error.empty()) std::abort();
        return 0;
    }
    const ImageInfo& info = image->Info();
    if (info.wide < 1 || info.high < 1 || info.orientation < 1 || info.orientation > 8) std::abort();
    if (info.wide * info.high > kLargestPixels) return 0;
    image = Oriented(std::move(image), FilePath(), error);
    if (!image) return 0;
    std::vector<uint8_t> row(image->Info().wide * image->Info().format.BytesPerPixel());
    for (int64_t y = 0; y < image->Info().high; ++y) {
        if (!image->ReadRow(row.data())) {
            if (image->Error().empty()) std::abort();
            break;
        }
    }
    return 0;
}
