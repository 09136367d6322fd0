// One run of the command line in the test's own process: its status and
// what it wrote to each stream.
#pragma once

#include <string>
#include <vector>

#include "cli/calc_cli.h"

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun RunCli(const std::vector<std::string>& args) {
    CliRun run;
    run.status = RunCalculatorCli(args, run.out, run.err);
    return run;
}
