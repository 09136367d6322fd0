// The orientation a viewer shows an image in, read from its EXIF data.
#pragma once

#include <cstddef>
#include <cstdint>

// The Orientation (tag 0x0112) of IFD0 in EXIF data that starts at its
// TIFF header ("II*\0" or "MM\0*"); 1, as stored, when there is none or it
// is not one of 1 to 8.
int ExifOrientation(const uint8_t* data, size_t size);
