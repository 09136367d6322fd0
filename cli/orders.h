// A file of orders: a CSV file whose header names the columns bar, width,
// length, count and, optionally, method, in any order; a row per order.
#pragma once

#include <string>
#include <vector>

#include "cli/method_results.h"

struct OrderLine {
    size_t line;  // where the order starts in the file
    Job job;
    WrapMethod method;
};

// The longest orders file read, and the most orders in it: enough for a
// day's printing, and they keep the total roll within 64 bits.
constexpr size_t kLargestOrdersFile = 4 << 20;
constexpr size_t kMostOrders = 10000;

// The whole file `name` into `text`; false, with the reason added to
// `err` as one line, when it cannot be read.
bool ReadOrdersFile(const std::string& name, std::string& text, std::string& err);

// The orders in `text`, the file `name`, with every length rounded up as
// `unit` shows it. What is wrong with a line is added to `err`, a line
// each, "orders.csv:4: count 'x' is not ...", and the line is left out;
// `refused` is set when anything was.
std::vector<OrderLine> ReadOrders(const std::string& text, const std::string& name, Unit unit, std::string& err,
                                  bool& refused);
