// corvalin-calc: the wrap calculation from the command line, for print
// shops that script it or want the whole chart on paper.
#pragma once

#include <string>
#include <vector>

// Runs the command with `args` (without the program name), adding what it
// prints to `out` and its notes and complaints to `err`. Returns the exit
// status: 0, or 2 for bad input: unusable arguments, in which case `out` is
// left as it was, or an orders file that cannot be read or has lines refused.
int RunCalculatorCli(const std::vector<std::string>& args, std::string& out, std::string& err);
