// How far a long print file has come, on standard error as it goes, and
// only where that is a terminal somebody watches: a script's log gets no
// line rewritten in place.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

class Progress {
public:
    // Shown on standard error where it is a terminal, from now on.
    explicit Progress(const std::string& file);
    // Shown on `terminal` (nowhere when null), for a run begun at `started`.
    Progress(const std::string& file, std::FILE* terminal, std::time_t started);
    // The print file's progress callback, with a Progress as its context.
    static void Report(int64_t done, int64_t total, void* context);
    // Ends the line, if one was shown.
    void End();

private:
    std::string file_;
    std::FILE* terminal_;
    std::time_t start_;
    int shown_ = -1;  // the percentage on the line, or -1 for none yet
};
