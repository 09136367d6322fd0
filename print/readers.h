// The image readers: JPEG, PNG and TIFF, each a source of rows as stored.
#pragma once

#include <memory>
#include <string>

#include "print/image.h"

// The image in the file, its kind told by its first bytes; null with the
// reason in `error` when it cannot be read.
std::unique_ptr<RowSource> OpenImage(const std::string& path, std::string& error);

// The readers themselves, for a file whose kind is known.
std::unique_ptr<RowSource> OpenJpeg(FILE* file, std::string& error);
std::unique_ptr<RowSource> OpenPng(FILE* file, std::string& error);
std::unique_ptr<RowSource> OpenTiffImage(const std::string& path, std::string& error);

// What each reader says of a size it will not read.
bool CheckImageSize(int64_t wide, int64_t high, std::string& error);

// What an image that can only be read whole (a progressive JPEG, an
// interlaced PNG) may take: a 32-bit program has 2 GB in all.
constexpr int64_t kLargestReadWhole = int64_t{512} << 20;
