// The forms corvalin-calc prints in: padded columns for people, and data
// tables of one row per calculation for scripts, spreadsheets and documents.
#pragma once

#include <vector>

#include "toolkit/text.h"

enum class Format { Padded, Tsv, Csv, Markdown };

// One row of a data table: fields between tabs; or comma-separated values
// as RFC 4180 has them, with CRLF line ends; or a Markdown table row.
void AppendDataRow(const std::vector<Text>& cells, Format format, Text& out);

// Rows padded into columns, each at least as wide as `least` asks and two
// blanks wider than its widest cell; the last cell of a row is not padded,
// so that a short row may end in a sentence.
void AppendColumns(const std::vector<std::vector<Text>>& rows, std::vector<size_t> least, Text& out);
