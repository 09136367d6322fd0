// An image as a viewer shows it: its EXIF orientation applied.
#pragma once

#include <memory>
#include <string>

#include "print/image.h"

// The rows of `stored` turned as its orientation asks. A mirror of each row
// (2) is made on the fly. The others need rows in another order than stored
// (3 and 4 bottom first; 5 to 8 columns as rows), which a compressed file
// gives only in its own: the image goes first into a scratch file beside
// `scratchBeside`, in blocks of rows, so that memory stays bounded. Info()
// gives the shown size, with orientation 1. Null with the reason in `error`
// when the scratch file cannot be made or written.
std::unique_ptr<RowSource> Oriented(std::unique_ptr<RowSource> stored, const std::string& scratchBeside,
                                    std::string& error);
