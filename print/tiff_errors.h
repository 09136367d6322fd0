// libtiff's messages for one file, caught by handlers of that file's own
// (libtiff 4.5's open options) rather than a handler for the whole program.
#pragma once

#include <string>

#include <tiffio.h>

class TiffErrors {
public:
    TiffErrors();
    ~TiffErrors();
    TiffErrors(const TiffErrors&) = delete;
    TiffErrors& operator=(const TiffErrors&) = delete;

    TIFFOpenOptions* Options() const { return options_; }
    // The first error libtiff reported, empty when none.
    const std::string& First() const { return first_; }

private:
    static int OnError(TIFF*, void* self, const char* module, const char* format, va_list args);
    static int OnWarning(TIFF*, void*, const char*, const char*, va_list);

    TIFFOpenOptions* options_;
    std::string first_;
};
