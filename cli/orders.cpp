#include "cli/orders.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/csv_records.h"
#include "cli/quoted.h"
#include "cli/values.h"
#include "print/files.h"

namespace {

enum Column { kBar, kWidth, kLength, kCount, kMethod, kColumns };
constexpr const char* kColumnNames[kColumns] = {"bar", "width", "length", "count", "method"};

// Where each column is in a row; -1 for a column the file does not have.
struct Columns {
    int at[kColumns];
    size_t count;
};

void Complain(const std::string& name, size_t line, const std::string& problem, std::string& err) {
    err += "corvalin-calc: " + Escaped(name) + (line > 0 ? ":" + std::to_string(line) : "") + ": " + problem + "\n";
}

// Blanks round a field are not part of its value: "8, 10" is 8 and 10.
std::string Trimmed(const std::string& field) {
    const size_t first = field.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return field.substr(first, field.find_last_not_of(" \t") + 1 - first);
}

// A blank line, or one of empty fields only, as spreadsheets write below
// their last row.
bool IsBlank(const CsvRecord& record) {
    for (const std::string& field : record.fields) {
        if (!Trimmed(field).empty()) return false;
    }
    return record.problem.empty();
}

std::string ColumnProblem(const CsvRecord& header, Columns& columns) {
    if (!header.problem.empty()) return header.problem;
    std::fill(std::begin(columns.at), std::end(columns.at), -1);
    columns.count = header.fields.size();
    for (size_t i = 0; i < header.fields.size(); ++i) {
        const std::string named = Lowercase(Trimmed(header.fields[i]));
        int column = 0;
        while (column < kColumns && named != kColumnNames[column]) ++column;
        if (column == kColumns) {
            return "unknown column " + Quoted(header.fields[i]) + " (use bar, width, length, count and method)";
        }
        if (columns.at[column] >= 0) return "the column " + Quoted(named) + " is named twice";
        columns.at[column] = static_cast<int>(i);
    }
    for (int column = kBar; column < kMethod; ++column) {
        if (columns.at[column] < 0) return std::string("no column '") + kColumnNames[column] + "'";
    }
    return std::string();
}

// What is wrong with each field of the order, in the order of the columns.
std::vector<std::string> OrderProblems(const CsvRecord& record, const Columns& columns, Unit unit, OrderLine& order) {
    const auto field = [&](Column column) {
        return columns.at[column] < 0 ? std::string() : Trimmed(record.fields[static_cast<size_t>(columns.at[column])]);
    };
    std::vector<std::string> problems;
    const std::optional<BarType> bar = ParseBar(field(kBar));
    if (!bar) problems.push_back("unknown bar " + Quoted(field(kBar)) + " (use standard, pro or prenotched)");
    Nanometres width = 0;
    Nanometres length = 0;
    problems.push_back(ReadLengthValue("width", field(kWidth), false, kLargestSize, width));
    problems.push_back(ReadLengthValue("length", field(kLength), false, kLargestSize, length));
    const std::optional<int> count = ParseWholeNumber(field(kCount), kLargestCount);
    if (!count) problems.push_back("count " + Quoted(field(kCount)) + " is not a whole number from 1 to 10000");
    // Pre-notched bars take only staples, so that is their method unless named.
    const std::string method = Lowercase(field(kMethod));
    const bool staple = method == "staple" || (method.empty() && bar == BarType::PreNotched);
    if (!method.empty() && method != "regular" && method != "staple") {
        problems.push_back("method " + Quoted(field(kMethod)) + " is not regular or staple");
    } else if (!staple && bar == BarType::PreNotched) {
        problems.push_back("the regular wrap does not apply to pre-notched bars");
    }
    std::erase(problems, std::string());
    if (problems.empty()) {
        order = {record.line,
                 {*bar, RoundUpToShown(width, unit), RoundUpToShown(length, unit), *count, nullptr},
                 staple ? WrapMethod::Staple : WrapMethod::Regular};
    }
    return problems;
}

}  // namespace

bool ReadOrdersFile(const std::string& name, std::string& text, std::string& err) {
    std::FILE* file = OpenFile(name, "rb");
    if (!file) {
        Complain(name, 0, std::string("cannot read it: ") + std::strerror(errno), err);
        return false;
    }
    char buffer[16384];
    for (size_t got; text.size() <= kLargestOrdersFile && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text.append(buffer, got);
    }
    const int error = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (error != 0) {
        Complain(name, 0, std::string("cannot read it: ") + std::strerror(error), err);
        return false;
    }
    if (text.size() > kLargestOrdersFile) {
        Complain(name, 0, "is larger than 4 MB, more than an orders file holds", err);
        return false;
    }
    return true;
}

std::vector<OrderLine> ReadOrders(const std::string& text, const std::string& name, Unit unit, std::string& err,
                                  bool& refused) {
    // A spreadsheet may start its UTF-8 with a byte order mark.
    size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    size_t line = 1;
    std::vector<OrderLine> orders;
    Columns columns{};
    bool header = false;
    while (at < text.size()) {
        const CsvRecord record = NextCsvRecord(text, at, line);
        if (IsBlank(record)) continue;
        std::vector<std::string> problems;
        if (!header) {
            const std::string problem = ColumnProblem(record, columns);
            if (!problem.empty()) {
                Complain(name, record.line, problem, err);
                refused = true;
                return {};
            }
            header = true;
            continue;
        }
        if (orders.size() == kMostOrders) {
            Complain(name, record.line, "more than 10000 orders; split the file (the rest is left out)", err);
            refused = true;
            return orders;
        }
        OrderLine order{};
        if (!record.problem.empty()) {
            problems.push_back(record.problem);
        } else if (record.fields.size() != columns.count) {
            problems.push_back(std::to_string(record.fields.size()) +
                               (record.fields.size() == 1 ? " field" : " fields") + " where the header has " +
                               std::to_string(columns.count));
        } else {
            problems = OrderProblems(record, columns, unit, order);
        }
        for (const std::string& problem : problems) Complain(name, record.line, problem, err);
        if (problems.empty()) orders.push_back(order);
        refused = refused || !problems.empty();
    }
    if (!header) {
        Complain(name, 0, "no header line naming the columns bar, width, length, count and method", err);
        refused = true;
    }
    return orders;
}
