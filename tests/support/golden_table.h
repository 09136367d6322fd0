// The golden table (tests/data/wrap-table.tsv): the eight results of every
// combination of offered sizes of every bar, worked out from the wrapping
// rules apart from the program's code, and reviewed.
#pragma once

#include <vector>

#include "calc/wrap.h"

struct GoldenRow {
    BarType bar;
    Text width;
    Text length;
    std::vector<Text> results;  // in the order of WrapResults' fields
};

// The file as it stands: the heading line, then one line per combination.
extern const char* const kWrapTableText;

std::vector<GoldenRow> GoldenRows();
// The bar the table calls Standard125, Pro175 or PreNotched.
BarType BarNamed(const Text& name);
// The results of one combination; empty when the table has none.
std::vector<Text> GoldenResults(BarType bar, const Text& width, const Text& length);
// The widths a bar's rows go through, in order: the sizes its lists offer.
std::vector<Text> GoldenSizes(BarType bar);
std::vector<Text> ResultTexts(const WrapResults& results);
