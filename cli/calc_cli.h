// corvalin-calc: the wrap calculation from the command line, for print
// shops that script it or want the whole chart on paper.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs the command with `args` (without the program name), writing results
// to `out` and complaints to `err`. Returns the exit status: 0, or 2 for bad
// input, in which case nothing has been written to `out`.
int RunCalculatorCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
