#include "print/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// A file of a name no other run uses: the process id and a count.
FILE* CreateExclusive(const std::string& path, const char* mode, std::string& made) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        made = path + ".part" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        const int fd = open(made.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) return fdopen(fd, mode);
        if (errno != EEXIST) break;
    }
    made.clear();
    return nullptr;
}

}  // namespace

FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

TIFF* OpenTiff(const std::string& path, const char* mode, TIFFOpenOptions* options) {
    return TIFFOpenExt(path.c_str(), mode, options);
}

bool SeekFile(FILE* file, int64_t offset) {
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

FILE* CreateFileBeside(const std::string& path, std::string& made) {
    return CreateExclusive(path, "wb", made);
}

// Unlinked at once: the file lives while it is open and no longer.
FILE* OpenScratchBeside(const std::string& path) {
    std::string made;
    FILE* file = CreateExclusive(path, "w+b", made);
    if (file) unlink(made.c_str());
    return file;
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}
