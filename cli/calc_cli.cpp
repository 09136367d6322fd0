#include "cli/calc_cli.h"

#include <algorithm>
#include <cstdint>

#include "calc/finished_sizes.h"
#include "cli/arguments.h"
#include "version.h"

namespace {

constexpr BarType kAllBars[] = {BarType::Standard125, BarType::Pro175, BarType::PreNotched};
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
    "                1.75\") or prenotched (Pre-Notched Stretcher Bars, also\n"
    "                pre-notched); the table's names Standard125, Pro175 and\n"
    "                PreNotched too\n"
    "  --dpi N       also give each canvas in pixels at N dots per inch (1 to\n"
    "                10000)\n"
    "  --sizes       list the finished sizes offered for each bar\n"
    "  --table       every combination of offered sizes, one row each\n"
    "  --format F    the table as tsv (the default), csv or md\n"
    "  --help        show this help\n"
    "  --version     show the version\n"
    "\n"
    "An option's value may follow it as the next argument or after '='. After\n"
    "'--' every argument is a size. WIDTH and LENGTH are decimal numbers above\n"
    "0 and at most 1000; sizes a bar does not offer are calculated all the\n"
    "same, with a note on standard error.\n";

const char* BarName(BarType bar) {
    switch (bar) {
    case BarType::Pro175: return "Pro175";
    case BarType::PreNotched: return "PreNotched";
    case BarType::Standard125: break;
    }
    return "Standard125";
}

bool IsStockSize(BarType bar, const std::string& size) {
    const std::vector<Text> entries = FinishedSizeEntries(bar);
    return std::any_of(entries.begin(), entries.end(),
                       [&](const Text& entry) { return ParseNumber(entry) == ParseNumber(size); });
}

// The pixels that cover a shown size at the dpi: the shown text is a plain
// decimal, taken exactly, so 10.52 in at 300 dpi is 3156 pixels.
std::string Pixels(const Text& inches, int dpi) {
    int64_t scaled = 0;
    int64_t unit = 1;
    bool fraction = false;
    for (char c : inches) {
        if (c == '.') {
            fraction = true;
            continue;
        }
        scaled = scaled * 10 + (c - '0');
        if (fraction) unit *= 10;
    }
    return std::to_string((scaled * dpi + unit - 1) / unit);
}

// The text padded with blanks to a column of `width`.
std::string Column(std::string text, size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

void PrintCalculation(const Request& request, std::string& out, std::string& err) {
    const BarType bar = request.bar.value_or(BarType::Standard125);
    const WrapResults r = CalculateWrap(bar, request.sizes[0], request.sizes[1]);
    const Text width = SizeText(request.sizes[0]);
    const Text length = SizeText(request.sizes[1]);

    out += std::string(BarTitle(bar)) + ", finished size " + width + " x " + length + " in\n\n";
    out += Column("", 16) + Column("Width", 9) + Column("Length", 9) + Column("Sheet", 11) + "Roll";
    if (request.dpi) out += Column("", 6) + "Pixels at " + std::to_string(*request.dpi) + " dpi";
    out += '\n';
    auto row = [&](const char* name, const Text& w, const Text& l, const Text& sheet, const Text& roll) {
        out += Column(name, 16);
        if (w.empty()) {
            out += "does not apply to pre-notched bars\n";
            return;
        }
        out += Column(w, 9) + Column(l, 9) + Column(sheet, 11);
        out += request.dpi ? Column(roll, 10) + Pixels(w, *request.dpi) + " x " + Pixels(l, *request.dpi) : roll;
        out += '\n';
    };
    row("Regular wrap", r.regularWidth, r.regularLength, r.regularSheet, r.regularRoll);
    row("Staple method", r.stapleWidth, r.stapleLength, r.stapleSheet, r.stapleRoll);

    std::vector<std::string> unstocked;
    if (!IsStockSize(bar, width)) unstocked.push_back(width);
    if (length != width && !IsStockSize(bar, length)) unstocked.push_back(length);
    for (const std::string& size : unstocked) {
        err += "corvalin-calc: note: " + size + " is not a stock size for " + BarTitle(bar) + "\n";
    }
}

std::vector<BarType> SelectedBars(const Request& request) {
    if (request.bar) return {*request.bar};
    return {std::begin(kAllBars), std::end(kAllBars)};
}

void PrintSizes(const Request& request, std::string& out) {
    for (BarType bar : SelectedBars(request)) {
        out += std::string(BarTitle(bar)) + ':';
        for (const Text& entry : FinishedSizeEntries(bar)) out += ' ' + entry;
        out += '\n';
    }
}

void PrintTableRow(const std::vector<std::string>& cells, TableFormat format, std::string& out) {
    const char* separator = format == TableFormat::Csv ? "," : format == TableFormat::Tsv ? "\t" : " | ";
    if (format == TableFormat::Markdown) out += "| ";
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += separator;
        out += cells[i];
    }
    out += format == TableFormat::Markdown ? " |\n" : "\n";
}

void PrintTable(const Request& request, std::string& out) {
    const TableFormat format = request.format.value_or(TableFormat::Tsv);
    const std::vector<std::string> header = {"bar",          "width",        "length",      "regularWidth",
                                             "regularLength", "stapleWidth", "stapleLength", "regularSheet",
                                             "stapleSheet",  "regularRoll",  "stapleRoll"};
    PrintTableRow(header, format, out);
    if (format == TableFormat::Markdown) {
        PrintTableRow(std::vector<std::string>(header.size(), "---"), format, out);
    }
    for (BarType bar : SelectedBars(request)) {
        const std::vector<Text> entries = FinishedSizeEntries(bar);
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

int RunCalculatorCli(const std::vector<std::string>& args, std::string& out, std::string& err) {
    Request request;
    const std::string problem = ParseArguments(args, request);
    if (!problem.empty()) {
        err += "corvalin-calc: " + problem + ". Try 'corvalin-calc --help'.\n";
        return 2;
    }
    switch (request.mode) {
    case Mode::Help: out += kUsage; break;
    case Mode::Version: out += "corvalin-calc " CORVALIN_VERSION "\n"; break;
    case Mode::Sizes: PrintSizes(request, out); break;
    case Mode::Table: PrintTable(request, out); break;
    case Mode::Calculate: PrintCalculation(request, out, err); break;
    }
    return 0;
}
