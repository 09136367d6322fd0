#include "print/writers.h"

#include <cerrno>
#include <cstring>

std::string FormatLimit(FileKind kind, const PixelFormat& format) {
    if (kind == FileKind::Jpeg && format.bits == 16) return "JPEG cannot hold 16-bit samples: write TIFF or PNG";
    if (kind == FileKind::Jpeg && format.alpha) return "JPEG cannot hold an alpha channel: write TIFF or PNG";
    if (kind == FileKind::Png && format.color == ColorKind::Cmyk) return "PNG cannot hold CMYK: write TIFF or JPEG";
    return "";
}

std::string CannotWrite(const char* libraryWords) {
    return std::string("cannot be written (") + (*libraryWords ? libraryWords : std::strerror(errno)) + ")";
}

FileSink::~FileSink() {
    if (file_) std::fclose(file_);
}

bool FileSink::Close(bool finished, const char* libraryWords) {
    const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return (finished && flushed && closed) || Fail(libraryWords);
}

bool FileSink::Fail(const char* libraryWords) {
    error_ = CannotWrite(libraryWords);
    return false;
}
