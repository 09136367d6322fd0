#include <iostream>

#include "cli/calc_cli.h"

int main(int argc, char** argv) {
    return RunCalculatorCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
