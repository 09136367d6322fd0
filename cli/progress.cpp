#include "cli/progress.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "cli/quoted.h"

namespace {

// A file made within a second or two needs no progress shown. Whole seconds
// of the C library's clock: the C++ one would bring the C++ library's
// exception machinery into the Windows program.
constexpr std::time_t kLongRun = 2;

}  // namespace

Progress::Progress(const std::string& file)
    : Progress(file, isatty(fileno(stderr)) ? stderr : nullptr, std::time(nullptr)) {}

Progress::Progress(const std::string& file, std::FILE* terminal, std::time_t started)
    : file_(Escaped(file)), terminal_(terminal), start_(started) {}

void Progress::Report(int64_t done, int64_t total, void* context) {
    Progress& progress = *static_cast<Progress*>(context);
    if (!progress.terminal_ || std::time(nullptr) - progress.start_ < kLongRun) return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == progress.shown_) return;
    progress.shown_ = percent;
    std::fprintf(progress.terminal_, "\rcorvalin-calc: writing %s: %d%%", progress.file_.c_str(), percent);
    std::fflush(progress.terminal_);
}

void Progress::End() {
    if (shown_ < 0) return;
    std::fputc('\n', terminal_);
    shown_ = -1;
}
