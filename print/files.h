// The file operations that differ between POSIX and Windows: names are UTF-8
// everywhere in the program, and wide-character on Windows's side only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include <tiffio.h>

FILE* OpenFile(const std::string& path, const char* mode);
TIFF* OpenTiff(const std::string& path, const char* mode, TIFFOpenOptions* options);

// Seeks to a byte offset from the start: files are larger than 2 GB.
bool SeekFile(FILE* file, int64_t offset);

// True when both names lead to one existing file, through links too.
bool SameFile(const std::string& a, const std::string& b);

// A new file beside `path`, made for this run only (never an existing one):
// its name in `made`. Null when none can be made.
FILE* CreateFileBeside(const std::string& path, std::string& made);

// A scratch file beside `path` that is gone once closed, whatever happens.
FILE* OpenScratchBeside(const std::string& path);

// Puts `from` in the place of `to`, replacing it in one step.
bool MoveIntoPlace(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
