#include <cerrno>
#include <cstdio>
#include <cstring>

#include "print/files.h"
#include "print/readers.h"

bool CheckImageSize(int64_t wide, int64_t high, std::string& error) {
    if (wide >= 1 && high >= 1 && wide <= kLargestSide && high <= kLargestSide) return true;
    error = "the image is " + std::to_string(wide) + " x " + std::to_string(high) +
            " pixels: each side must be 1 to 1,000,000";
    return false;
}

std::unique_ptr<RowSource> OpenImage(const std::string& path, std::string& error) {
    FILE* file = OpenFile(path, "rb");
    if (!file) {
        error = std::string("cannot open it: ") + std::strerror(errno);
        return nullptr;
    }
    unsigned char head[8] = {};
    const size_t got = std::fread(head, 1, sizeof head, file);
    if (std::ferror(file)) {
        // A folder, say, which opens but cannot be read.
        error = std::string("cannot read it: ") + std::strerror(errno);
        std::fclose(file);
        return nullptr;
    }
    const bool jpeg = got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
    const bool png = got == 8 && std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) == 0;
    // Classic TIFF has 42 after the byte order, BigTIFF 43.
    const bool tiff = got >= 4 && ((head[0] == 'I' && head[1] == 'I' && (head[2] == 42 || head[2] == 43) && head[3] == 0) ||
                                   (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && (head[3] == 42 || head[3] == 43)));
    if (jpeg || png) {
        std::rewind(file);
        // The reader owns the file from here.
        return jpeg ? OpenJpeg(file, error) : OpenPng(file, error);
    }
    std::fclose(file);
    if (tiff) return OpenTiffImage(path, error);
    error = got == 0 ? "the file is empty" : "not a JPEG, PNG or TIFF image";
    return nullptr;
}
