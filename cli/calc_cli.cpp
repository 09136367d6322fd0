#include "cli/calc_cli.h"

#include <algorithm>

#include "calc/finished_sizes.h"
#include "cli/forms.h"
#include "cli/print_file.h"
#include "cli/quoted.h"
#include "cli/usage.h"
#include "version.h"

namespace {

constexpr BarType kAllBars[] = {BarType::Standard125, BarType::Pro175, BarType::PreNotched};

bool IsStockSize(BarType bar, Nanometres size) {
    const std::vector<Text> entries = FinishedSizeEntries(bar);
    return std::any_of(entries.begin(), entries.end(), [&](const Text& entry) { return ReadLength(entry) == size; });
}

void WarnOfLowResolution(const Request& request, const Job& job, std::string& err) {
    for (const Method& m : MethodsOf(request, job)) {
        if (!m.canvas || !m.fit.belowMinimum) continue;
        err += "corvalin-calc: warning: " + std::string(BarTitle(job.bar)) + ", " + m.title + ": the image prints at " +
               DecimalText(m.fit.ppiTenths, 1) + " ppi, below the minimum of " + std::to_string(MinimumPpi(request)) +
               " ppi\n";
    }
}

// Stock sizes are inches; a size in another unit says which.
void NoteUnstockedSizes(const Request& request, const Job& job, std::string& err) {
    std::vector<Nanometres> unstocked;
    if (!IsStockSize(job.bar, job.width)) unstocked.push_back(job.width);
    if (job.length != job.width && !IsStockSize(job.bar, job.length)) unstocked.push_back(job.length);
    for (Nanometres size : unstocked) {
        err += "corvalin-calc: note: " + LengthText(size, request.unit) +
               (request.unit == Unit::Inch ? "" : Text(" ") + UnitName(request.unit)) + " is not a stock size for " +
               BarTitle(job.bar) + "\n";
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

// Every combination of the sizes each selected bar is offered in.
std::vector<Job> TableJobs(const Request& request) {
    std::vector<Job> jobs;
    for (BarType bar : SelectedBars(request)) {
        const std::vector<Text> entries = FinishedSizeEntries(bar);
        for (const Text& width : entries) {
            for (const Text& length : entries) {
                jobs.push_back({bar, *ReadLength(width), *ReadLength(length), request.count, request.roll});
            }
        }
    }
    return jobs;
}

// An upright image on a wide canvas, or the other way round, loses much
// to cropping; the user may have meant the canvas turned.
void NoteTurnedImage(const Request& request, std::string& err) {
    const ImageSize& image = *request.pixels;
    if ((image.wide < image.high && request.width > request.length) ||
        (image.wide > image.high && request.width < request.length)) {
        err += "corvalin-calc: note: the image and the canvas lie different ways (one taller than wide, one wider "
               "than long); give WIDTH and LENGTH the other way round to turn the canvas\n";
    }
}

// The text form is one bar's calculation, the standard bar's unless asked
// otherwise; the data forms give a row for each bar.
void PrintCalculation(const Request& request, std::string& out, std::string& err) {
    const Format format = request.format.value_or(Format::Padded);
    std::vector<Job> jobs;
    for (BarType bar : format == Format::Padded ? std::vector<BarType>{request.bar.value_or(BarType::Standard125)}
                                              : SelectedBars(request)) {
        jobs.push_back({bar, request.width, request.length, request.count, request.roll});
        NoteUnstockedSizes(request, jobs.back(), err);
        if (request.pixels) WarnOfLowResolution(request, jobs.back(), err);
    }
    if (request.pixels) NoteTurnedImage(request, err);
    if (format == Format::Padded) {
        PrintText(request, jobs[0], out);
    } else {
        PrintData(request, jobs, format, out);
    }
}

// The orders the file holds that can be planned, planned; 2 when the file
// cannot be read or a line of it was refused.
int PrintOrdersFile(const Request& request, std::string& out, std::string& err) {
    std::string text;
    if (!ReadOrdersFile(request.orders, text, err)) return 2;
    bool refused = false;
    const std::vector<OrderLine> orders = ReadOrders(text, request.orders, request.unit, err, refused);
    if (!orders.empty()) {
        PrintOrders(request, orders, request.format.value_or(Format::Padded), out);
    } else if (!refused) {
        err += "corvalin-calc: note: " + Escaped(request.orders) + " holds no orders\n";
    }
    return refused ? 2 : 0;
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
    case Mode::Table: PrintData(request, TableJobs(request), request.format.value_or(Format::Tsv), out); break;
    case Mode::Orders: return PrintOrdersFile(request, out, err);
    case Mode::PrintFile:
        NoteUnstockedSizes(
            request, {request.bar.value_or(BarType::Standard125), request.width, request.length, 1, nullptr}, err);
        return MakePrintFileFor(request, out, err);
    case Mode::Calculate: PrintCalculation(request, out, err); break;
    }
    return 0;
}
