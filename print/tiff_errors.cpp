#include "print/tiff_errors.h"

#include <cstdarg>
#include <cstdio>

TiffErrors::TiffErrors() : options_(TIFFOpenOptionsAlloc()) {
    TIFFOpenOptionsSetErrorHandlerExtR(options_, OnError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options_, OnWarning, this);
}

TiffErrors::~TiffErrors() {
    TIFFOpenOptionsFree(options_);
}

// Returning 1 keeps libtiff from passing the message on to its global handler.
int TiffErrors::OnError(TIFF*, void* self, const char*, const char* format, va_list args) {
    TiffErrors* errors = static_cast<TiffErrors*>(self);
    if (errors->first_.empty()) {
        char text[300];
        std::vsnprintf(text, sizeof text, format, args);
        errors->first_ = text;
    }
    return 1;
}

// Warnings (unknown tags and the like) change nothing the program reads.
int TiffErrors::OnWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}
