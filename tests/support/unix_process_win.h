// Figures that Wine does not give for another process (its CPU time and
// private memory), read from the Unix side, which Wine shows as drive Z:.
// The process is the one whose first argument ends in the program's name.
#pragma once

#include <windows.h>

struct UnixProcessFigures {
    bool found;
    unsigned long privateKb;  // resident anonymous memory
    double cpuSeconds;        // user and system time
};

UnixProcessFigures ReadUnixProcess(const wchar_t* programName);
