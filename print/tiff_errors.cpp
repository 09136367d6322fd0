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
        // As long as it is: libtiff's messages name the file, whose path
        // may be long.
        va_list again;
        va_copy(again, args);
        const int length = std::vsnprintf(nullptr, 0, format, args);
        if (length > 0) {
            errors->first_.resize(static_cast<size_t>(length) + 1);
            std::vsnprintf(&errors->first_[0], errors->first_.size(), format, again);
            errors->first_.resize(static_cast<size_t>(length));
        }
        va_end(again);
    }
    return 1;
}

// Warnings (unknown tags and the like) change nothing the program reads.
int TiffErrors::OnWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}
