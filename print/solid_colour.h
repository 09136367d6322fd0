// The colour of a `solid` edge: one the user gives, or the mean of the
// face's outer strip.
#pragma once

#include <string>

#include "print/edge_composer.h"
#include "print/print_layout.h"

// `hex` is one byte per colour channel of the image, "ffffff" for RGB,
// "00000000" for CMYK (ink), "80" for grey; 16-bit images take each byte
// times 257. Alpha is opaque. False, with why in `error`, when the text
// does not fit the image.
bool ParseSolidColour(const std::string& hex, const PixelFormat& format, Pixel& colour, std::string& error);

// The mean of the face pixels within the side's width of the face's edge,
// all round (the whole face when the side is as wide as half of it), each
// channel rounded to the nearest value; alpha opaque. Reads the face from
// `shown`, which must be at its first row; false on a failure to read.
bool MeanOfOuterStrip(RowSource& shown, const PrintLayout& layout, Pixel& colour);
