// The forms a calculation or a file of orders is printed in.
#pragma once

#include <string>
#include <vector>

#include "cli/method_results.h"
#include "cli/orders.h"

// A heading row, then a row for each job, and for each roll where every
// roll is asked for: the table's fields, then those the request adds.
void PrintData(const Request& request, const std::vector<Job>& jobs, Format format, std::string& out);

// One job for people: the results, then the roll plan and the image fit
// when asked for, each a block of padded columns.
void PrintText(const Request& request, const Job& job, std::string& out);

// The orders, a row each (and for each roll where every roll is asked
// for), then the roll each roll width takes for all of them, in `format`.
void PrintOrders(const Request& request, const std::vector<OrderLine>& orders, Format format, std::string& out);

// The bar as the table names it: Standard125, Pro175 or PreNotched.
const char* BarName(BarType bar);

// A field of a data row: its name for scripts, its heading for people, its value.
struct Field {
    Text name;
    Text heading;
    Text value;
};

// The values as a data row, after a heading row of their names (their
// headings in md) when `heading`.
void AppendFields(const std::vector<Field>& fields, bool heading, Format format, std::string& out);
