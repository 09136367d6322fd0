#include "cli/command_line.h"

// The system's bytes as they are: file names are bytes, and a locale's
// text is UTF-8.
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}
