#include "cli/calc_cli.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <optional>
#include <ostream>
#include <sstream>

#include "calc/finished_sizes.h"
#include "calc/wrap.h"
#include "version.h"

namespace {

constexpr BarType kAllBars[] = {BarType::Standard125, BarType::Pro175, BarType::PreNotched};
constexpr long double kLargestSize = 1000;
constexpr int kLargestDpi = 10000;

const char* const kUsage =
    "Usage: corvalin-calc [--bar BAR] [--dpi N] WIDTH LENGTH\n"
    "       corvalin-calc --sizes [--bar BAR]\n"
    "       corvalin-calc --table [--bar BAR] [--format tsv|csv|md]\n"
    "\n"
    "Works out the canvas to print for a gallery wrap of the finished size\n"
    "WIDTH x LENGTH inches, for the regular wrap and the staple method: the\n"
    "minimum canvas, the smallest standard sheet that holds it and the\n"
    "narrowest roll width.\n"
    "\n"
    "  --bar BAR     standard (Corvalin 1.25\", the default), pro (Corvalin Pro\n"
    "                1.75\") or prenotched (Pre-Notched Stretcher Bars)\n"
    "  --dpi N       also give each canvas in pixels at N dots per inch\n"
    "  --sizes       list the finished sizes offered for each bar\n"
    "  --table       every combination of offered sizes, one row each\n"
    "  --format F    the table as tsv (the default), csv or md\n"
    "  --help        show this help\n"
    "  --version     show the version\n"
    "\n"
    "WIDTH and LENGTH are decimal numbers above 0 and at most 1000.\n";

struct BadInput {
    std::string what;
};

enum class Mode { Calculate, Sizes, Table, Help, Version };
enum class TableFormat { Tsv, Csv, Markdown };

struct Request {
    Mode mode = Mode::Calculate;
    std::optional<BarType> bar;
    std::optional<int> dpi;
    std::optional<TableFormat> format;
    std::vector<std::string> sizes;
};

const char* BarName(BarType bar) {
    switch (bar) {
    case BarType::Pro175: return "Pro175";
    case BarType::PreNotched: return "PreNotched";
    case BarType::Standard125: break;
    }
    return "Standard125";
}

BarType ParseBar(const std::string& word) {
    if (word == "standard") return BarType::Standard125;
    if (word == "pro") return BarType::Pro175;
    if (word == "prenotched") return BarType::PreNotched;
    throw BadInput{"unknown bar '" + word + "' (use standard, pro or prenotched)"};
}

TableFormat ParseFormat(const std::string& word) {
    if (word == "tsv") return TableFormat::Tsv;
    if (word == "csv") return TableFormat::Csv;
    if (word == "md") return TableFormat::Markdown;
    throw BadInput{"unknown table format '" + word + "' (use tsv, csv or md)"};
}

// Digits with at most one ".", and at least one digit: no sign, no exponent.
bool IsPlainDecimal(const std::string& word) {
    bool digit = false;
    bool point = false;
    for (char c : word) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

void CheckSize(const char* name, const std::string& word) {
    bool negative = word.size() > 1 && word[0] == '-' && IsPlainDecimal(word.substr(1));
    if (!negative && !IsPlainDecimal(word)) {
        throw BadInput{std::string(name) + " '" + word + "' is not a number"};
    }
    long double value = ParseNumber(word);
    if (negative || value <= 0 || value > kLargestSize) {
        throw BadInput{std::string(name) + " " + word + " is out of range (above 0 and at most 1000)"};
    }
}

int ParseDpi(const std::string& word) {
    bool digits = !word.empty() && word.size() <= 6 &&
                  std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
    int dpi = digits ? std::stoi(word) : 0;
    if (dpi < 1 || dpi > kLargestDpi) {
        throw BadInput{"--dpi '" + word + "' is not a whole number from 1 to 10000"};
    }
    return dpi;
}

void SetMode(Request& request, Mode mode, const std::string& option) {
    if (request.mode != Mode::Calculate && request.mode != mode) {
        throw BadInput{"'" + option + "' cannot be combined with the option before it"};
    }
    request.mode = mode;
}

Request ParseArguments(const std::vector<std::string>& args) {
    Request request;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 == args.size()) throw BadInput{"'" + arg + "' needs a value"};
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            request.mode = Mode::Help;
            return request;
        } else if (arg == "--version") {
            request.mode = Mode::Version;
            return request;
        } else if (arg == "--bar") {
            request.bar = ParseBar(value());
        } else if (arg == "--dpi") {
            request.dpi = ParseDpi(value());
        } else if (arg == "--format") {
            request.format = ParseFormat(value());
        } else if (arg == "--sizes") {
            SetMode(request, Mode::Sizes, arg);
        } else if (arg == "--table") {
            SetMode(request, Mode::Table, arg);
        } else if (arg.size() > 1 && arg[0] == '-' && !IsPlainDecimal(arg.substr(1))) {
            throw BadInput{"unknown option '" + arg + "'"};
        } else {
            request.sizes.push_back(arg);
        }
    }

    if (request.mode == Mode::Calculate) {
        if (request.format) throw BadInput{"'--format' goes with '--table'"};
        if (request.sizes.empty()) throw BadInput{"missing WIDTH and LENGTH"};
        if (request.sizes.size() == 1) throw BadInput{"missing LENGTH"};
        if (request.sizes.size() > 2) throw BadInput{"unexpected argument '" + request.sizes[2] + "'"};
        CheckSize("width", request.sizes[0]);
        CheckSize("length", request.sizes[1]);
    } else {
        if (!request.sizes.empty()) throw BadInput{"unexpected argument '" + request.sizes[0] + "'"};
        if (request.dpi) throw BadInput{"'--dpi' goes with a calculation"};
        if (request.format && request.mode != Mode::Table) throw BadInput{"'--format' goes with '--table'"};
    }
    return request;
}

bool IsStockSize(BarType bar, const std::string& size) {
    auto entries = FinishedSizeEntries(bar);
    return std::any_of(entries.begin(), entries.end(),
                       [&](const Text& entry) { return ParseNumber(entry) == ParseNumber(size); });
}

std::string PixelText(const Text& widthInches, const Text& lengthInches, int dpi) {
    auto pixels = [dpi](const Text& inches) {
        return static_cast<long long>(std::ceil(ParseNumber(inches) * dpi));
    };
    return std::to_string(pixels(widthInches)) + " x " + std::to_string(pixels(lengthInches));
}

void PrintCalculation(const Request& request, std::ostream& out) {
    const BarType bar = request.bar.value_or(BarType::Standard125);
    const std::string& width = request.sizes[0];
    const std::string& length = request.sizes[1];
    const WrapResults r = CalculateWrap(bar, width, length);

    out << BarTitle(bar) << " bars, finished size " << width << " x " << length << " in\n\n";
    std::ostringstream header;
    header << std::left << std::setw(16) << "" << std::setw(9) << "Width" << std::setw(9) << "Length"
           << std::setw(11) << "Sheet" << "Roll";
    if (request.dpi) header << std::setw(6) << "" << "Pixels at " << *request.dpi << " dpi";
    out << header.str() << '\n';

    auto row = [&](const char* name, const Text& w, const Text& l, const Text& sheet, const Text& roll) {
        out << std::left << std::setw(16) << name;
        if (w.empty()) {
            out << "does not apply to pre-notched bars\n";
            return;
        }
        out << std::setw(9) << w << std::setw(9) << l << std::setw(11) << sheet;
        if (request.dpi) {
            out << std::setw(10) << roll << PixelText(w, l, *request.dpi);
        } else {
            out << roll;
        }
        out << '\n';
    };
    row("Regular wrap", r.regularWidth, r.regularLength, r.regularSheet, r.regularRoll);
    row("Staple method", r.stapleWidth, r.stapleLength, r.stapleSheet, r.stapleRoll);

    std::vector<std::string> unstocked;
    if (!IsStockSize(bar, width)) unstocked.push_back(width);
    if (length != width && !IsStockSize(bar, length)) unstocked.push_back(length);
    if (!unstocked.empty()) out << '\n';
    for (const std::string& size : unstocked) {
        out << "Note: " << size << " is not a stock size for " << BarTitle(bar) << " bars.\n";
    }
}

std::vector<BarType> SelectedBars(const Request& request) {
    if (request.bar) return {*request.bar};
    return {std::begin(kAllBars), std::end(kAllBars)};
}

void PrintSizes(const Request& request, std::ostream& out) {
    for (BarType bar : SelectedBars(request)) {
        out << BarTitle(bar) << ':';
        for (const Text& entry : FinishedSizeEntries(bar)) out << ' ' << entry;
        out << '\n';
    }
}

void PrintTableRow(const std::vector<std::string>& cells, TableFormat format, std::ostream& out) {
    const char* separator = format == TableFormat::Csv ? "," : format == TableFormat::Tsv ? "\t" : " | ";
    if (format == TableFormat::Markdown) out << "| ";
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out << separator;
        out << cells[i];
    }
    out << (format == TableFormat::Markdown ? " |\n" : "\n");
}

void PrintTable(const Request& request, std::ostream& out) {
    const TableFormat format = request.format.value_or(TableFormat::Tsv);
    const std::vector<std::string> header = {"bar",          "width",        "length",      "regularWidth",
                                             "regularLength", "stapleWidth", "stapleLength", "regularSheet",
                                             "stapleSheet",  "regularRoll",  "stapleRoll"};
    PrintTableRow(header, format, out);
    if (format == TableFormat::Markdown) {
        PrintTableRow(std::vector<std::string>(header.size(), "---"), format, out);
    }
    for (BarType bar : SelectedBars(request)) {
        const auto entries = FinishedSizeEntries(bar);
        for (const Text& width : entries) {
            for (const Text& length : entries) {
                const WrapResults r = CalculateWrap(bar, width, length);
                PrintTableRow({BarName(bar), width, length, r.regularWidth, r.regularLength, r.stapleWidth,
                               r.stapleLength, r.regularSheet, r.stapleSheet, r.regularRoll, r.stapleRoll},
                              format, out);
            }
        }
    }
}

}  // namespace

int RunCalculatorCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Request request;
    try {
        request = ParseArguments(args);
    } catch (const BadInput& bad) {
        err << "corvalin-calc: " << bad.what << ". Try 'corvalin-calc --help'.\n";
        return 2;
    }
    switch (request.mode) {
    case Mode::Help: out << kUsage; break;
    case Mode::Version: out << "corvalin-calc " CORVALIN_VERSION "\n"; break;
    case Mode::Sizes: PrintSizes(request, out); break;
    case Mode::Table: PrintTable(request, out); break;
    case Mode::Calculate: PrintCalculation(request, out); break;
    }
    return 0;
}
