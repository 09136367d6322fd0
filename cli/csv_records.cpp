#include "cli/csv_records.h"

namespace {

// The end of the line at `at`: its CR LF or LF, or the end of the text.
bool LineEndsAt(const std::string& text, size_t at) {
    return at == text.size() || text[at] == '\n' || text.compare(at, 2, "\r\n") == 0;
}

// Moves `at` past the line end it is on, if any.
void PassLineEnd(const std::string& text, size_t& at, size_t& line) {
    if (at == text.size()) return;
    at += text[at] == '\r' ? 2 : 1;
    ++line;
}

// Moves `at` past the end of its line, for a record given up.
void SkipLine(const std::string& text, size_t& at, size_t& line, CsvRecord& record, const char* problem) {
    record.problem = problem;
    while (!LineEndsAt(text, at)) ++at;
    PassLineEnd(text, at, line);
}

}  // namespace

CsvRecord NextCsvRecord(const std::string& text, size_t& at, size_t& line) {
    CsvRecord record;
    record.line = line;
    record.fields.emplace_back();
    for (;;) {
        std::string& field = record.fields.back();
        if (at < text.size() && text[at] == '"') {
            for (++at;; ++at) {
                if (at == text.size()) {
                    record.problem = "a quoted field is not closed";
                    return record;
                }
                if (text[at] == '\n') ++line;
                if (text[at] == '"' && (at + 1 == text.size() || text[at + 1] != '"')) break;
                if (text[at] == '"') ++at;
                field += text[at];
            }
            ++at;
            if (!LineEndsAt(text, at) && text[at] != ',') {
                SkipLine(text, at, line, record, "text after a quoted field's closing quote");
                return record;
            }
        } else {
            for (; !LineEndsAt(text, at) && text[at] != ','; ++at) {
                if (text[at] == '"') {
                    SkipLine(text, at, line, record, "a quote in a field that does not start with one");
                    return record;
                }
                field += text[at];
            }
        }
        if (LineEndsAt(text, at)) {
            PassLineEnd(text, at, line);
            return record;
        }
        ++at;
        record.fields.emplace_back();
    }
}
