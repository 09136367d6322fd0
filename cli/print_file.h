// corvalin-calc --print-file: the print file for the bar, method and
// finished size on the command line, and what it holds, for people.
#pragma once

#include <string>

#include "cli/arguments.h"

// Makes the file; what it holds goes to `out`, notes and the one line of a
// failure to `err`. Returns the exit status: 0, or 2 when the file could
// not be made (nothing is then left behind).
int MakePrintFileFor(const Request& request, std::string& out, std::string& err);
