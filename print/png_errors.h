// libpng's errors for the reader and the writer. libpng reports an error by
// longjmp to the setjmp of the call that failed: every function that calls
// setjmp holds no C++ object with a destructor and calls nothing but libpng.
#pragma once

#include <cstdio>

#include <png.h>

struct PngErrors {
    char message[200];
};

inline void OnPngError(png_structp png, png_const_charp message) {
    PngErrors* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
    std::snprintf(errors->message, sizeof errors->message, "%s", message);
    png_longjmp(png, 1);
}

// Warnings (an ancillary chunk's bad checksum and the like) change no pixel.
inline void OnPngWarning(png_structp, png_const_charp) {}
