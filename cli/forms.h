// The forms a calculation is printed in.
#pragma once

#include <string>
#include <vector>

#include "cli/method_results.h"

// A heading row, then a row for each job: the table's fields, then those
// the request adds.
void PrintData(const Request& request, const std::vector<Job>& jobs, Format format, std::string& out);

// One job for people: the results, then the roll plan and the image fit
// when asked for, each a block of padded columns.
void PrintText(const Request& request, const Job& job, std::string& out);
