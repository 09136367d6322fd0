// libjpeg's errors for the reader and the writer. libjpeg reports an error
// by calling a function that must not return: it longjmps back to the
// setjmp of the call that failed. A longjmp skips destructors, so every
// function that calls setjmp holds no C++ object that has one, and calls
// nothing but libjpeg.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

struct JpegErrors {
    jpeg_error_mgr manager;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool damaged;    // reading: a warning that the data is broken
    bool truncated;  // reading: the data ended before the image
};

inline void OnJpegError(j_common_ptr info) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    info->err->format_message(info, errors->message);
    longjmp(errors->jump, 1);
}

// Sets up `errors` for `info`, an encoder or a decoder not yet created.
template <typename Coder>
void UseJpegErrors(Coder& info, JpegErrors& errors) {
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnJpegError;
    errors.message[0] = '\0';
    errors.damaged = errors.truncated = false;
}
