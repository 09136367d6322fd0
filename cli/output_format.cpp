#include "cli/output_format.h"

#include <algorithm>

namespace {

Text CsvField(const Text& cell) {
    if (cell.find_first_of(",\"\r\n") == Text::npos) return cell;
    Text quoted = "\"";
    for (char c : cell) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + '"';
}

}  // namespace

void AppendDataRow(const std::vector<Text>& cells, Format format, Text& out) {
    const char* separator = format == Format::Csv ? "," : format == Format::Tsv ? "\t" : " | ";
    if (format == Format::Markdown) out += "| ";
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += separator;
        out += format == Format::Csv ? CsvField(cells[i]) : cells[i];
    }
    out += format == Format::Markdown ? " |\n" : format == Format::Csv ? "\r\n" : "\n";
}

void AppendColumns(const std::vector<std::vector<Text>>& rows, std::vector<size_t> least, Text& out) {
    for (const std::vector<Text>& row : rows) {
        least.resize(std::max(least.size(), row.size()));
        for (size_t i = 0; i + 1 < row.size(); ++i) least[i] = std::max(least[i], row[i].size() + 2);
    }
    for (const std::vector<Text>& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            out += row[i];
            if (i + 1 < row.size()) out.append(least[i] - row[i].size(), ' ');
        }
        out += '\n';
    }
}
