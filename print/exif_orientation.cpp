#include "print/exif_orientation.h"

namespace {

struct ExifReader {
    const uint8_t* data;
    size_t size;
    bool bigEndian;

    // Out-of-range reads give 0, which no check below accepts.
    uint32_t Read(size_t at, int bytes) const {
        if (at > size || static_cast<size_t>(bytes) > size - at) return 0;
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            const uint32_t byte = data[at + (bigEndian ? i : bytes - 1 - i)];
            value = value << 8 | byte;
        }
        return value;
    }
};

constexpr uint32_t kOrientationTag = 0x0112;
constexpr uint32_t kShortType = 3;

}  // namespace

int ExifOrientation(const uint8_t* data, size_t size) {
    if (size < 8) return 1;
    ExifReader exif{data, size, data[0] == 'M'};
    if (!((data[0] == 'I' && data[1] == 'I') || (data[0] == 'M' && data[1] == 'M')) || exif.Read(2, 2) != 42) return 1;
    const size_t ifd = exif.Read(4, 4);
    if (ifd >= size) return 1;
    const size_t entries = exif.Read(ifd, 2);
    for (size_t i = 0; i < entries && i < (size - ifd) / 12; ++i) {
        const size_t entry = ifd + 2 + 12 * i;
        if (exif.Read(entry, 2) != kOrientationTag) continue;
        if (exif.Read(entry + 2, 2) != kShortType || exif.Read(entry + 4, 4) != 1) return 1;
        const uint32_t value = exif.Read(entry + 8, 2);
        return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}
