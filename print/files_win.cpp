#include "print/files.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

namespace {

std::wstring WidePath(const std::string& path) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0], size);
    wide.resize(size - 1);
    return wide;
}

// A file of a name no other run uses: the process id and a count. `extra`
// is _O_TEMPORARY for a scratch file, which Windows deletes once closed.
FILE* CreateExclusive(const std::string& path, int extra, const wchar_t* mode, std::string& made) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        made = path + ".part" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt);
        const int fd = _wsopen(WidePath(made).c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | extra, _SH_DENYWR,
                               _S_IREAD | _S_IWRITE);
        if (fd >= 0) return _wfdopen(fd, mode);
        if (errno != EEXIST) break;
    }
    made.clear();
    return nullptr;
}

}  // namespace

FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(WidePath(path).c_str(), WidePath(mode).c_str());
}

TIFF* OpenTiff(const std::string& path, const char* mode, TIFFOpenOptions* options) {
    return TIFFOpenWExt(WidePath(path).c_str(), mode, options);
}

// fseeko64 works through fsetpos, which Windows XP's C library has.
bool SeekFile(FILE* file, int64_t offset) {
    return fseeko64(file, offset, SEEK_SET) == 0;
}

// One file: the same volume and the same index on it.
bool SameFile(const std::string& a, const std::string& b) {
    const auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
        const HANDLE handle = CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return false;
        const bool known = GetFileInformationByHandle(handle, &info) != 0;
        CloseHandle(handle);
        return known;
    };
    BY_HANDLE_FILE_INFORMATION first, second;
    return identify(a, first) && identify(b, second) && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

FILE* CreateFileBeside(const std::string& path, std::string& made) {
    return CreateExclusive(path, 0, L"wb", made);
}

FILE* OpenScratchBeside(const std::string& path) {
    std::string made;
    return CreateExclusive(path, _O_TEMPORARY, L"w+b", made);
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
    return MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool RemoveFile(const std::string& path) {
    return DeleteFileW(WidePath(path).c_str()) != 0;
}
