#include "support/unix_process_win.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string FileText(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    char buffer[4096];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

// Fields 14 and 15 of /proc/PID/stat, after the parenthesised name.
double CpuSeconds(const std::string& stat) {
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0;
    const char* at = stat.c_str() + close + 2;
    for (int field = 3; field < 14; ++field) {
        at = std::strchr(at, ' ');
        if (!at) return 0;
        ++at;
    }
    char* end = nullptr;
    const double user = std::strtod(at, &end);
    const double system = std::strtod(end, nullptr);
    return (user + system) / 100.0;  // clock ticks
}

}  // namespace

UnixProcessFigures ReadUnixProcess(const wchar_t* programName) {
    UnixProcessFigures figures = {false, 0, 0};
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return figures;
    do {
        if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
        const std::wstring folder = std::wstring(L"Z:\\proc\\") + entry.cFileName;
        // Wine names the process after the Windows program in its first
        // argument; a shell that merely passes the name on does not count.
        const std::string commandLine = FileText(folder + L"\\cmdline");
        const std::string first = commandLine.substr(0, commandLine.find('\0'));
        const std::wstring program(first.begin(), first.end());
        const std::wstring wanted = programName;
        if (program.size() < wanted.size() ||
            program.compare(program.size() - wanted.size(), wanted.size(), wanted) != 0) {
            continue;
        }
        const std::string status = FileText(folder + L"\\status");
        const size_t at = status.find("RssAnon:");
        if (at != std::string::npos) figures.privateKb = std::strtoul(status.c_str() + at + 8, nullptr, 10);
        figures.cpuSeconds = CpuSeconds(FileText(folder + L"\\stat"));
        figures.found = true;
    } while (!figures.found && FindNextFileW(search, &entry));
    FindClose(search);
    return figures;
}
