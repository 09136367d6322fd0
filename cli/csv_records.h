// Comma-separated values as RFC 4180 has them, read a record at a time:
// fields between commas, a field in double quotes may hold commas, line
// ends and doubled quotes; records end in CRLF or LF.
#pragma once

#include <string>
#include <vector>

struct CsvRecord {
    size_t line = 0;  // the line the record starts on, from 1
    std::vector<std::string> fields;
    std::string problem;  // what is wrong with its quoting, or empty
};

// The record that starts at `at`, which moves past it; `line` is the line
// `at` is on and moves with it. A record whose quoting is wrong is read to
// the end of its line (to the end of the text for a quote never closed),
// with `problem` saying what is wrong.
CsvRecord NextCsvRecord(const std::string& text, size_t& at, size_t& line);
