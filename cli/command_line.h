// The program's arguments as the rest of it reads them: UTF-8, whatever
// the system hands over.
#pragma once

#include <string>
#include <vector>

// The arguments after the program's name.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
