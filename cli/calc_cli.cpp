#include "cli/calc_cli.h"

#include <algorithm>

#include "calc/finished_sizes.h"
#include "cli/arguments.h"
#include "cli/output_format.h"
#include "cli/roll_plan.h"
#include "cli/shown_lengths.h"
#include "version.h"

namespace {

constexpr BarType kAllBars[] = {BarType::Standard125, BarType::Pro175, BarType::PreNotched};
const char* const kNotForPreNotched = "does not apply to pre-notched bars";
const char* const kUsage =
    "Usage: corvalin-calc [--bar BAR] [--format F] [--units U] [--roll-plan]\n"
    "                     [--roll R] [--dpi N] WIDTH LENGTH\n"
    "       corvalin-calc --sizes [--bar BAR]\n"
    "       corvalin-calc --table [--bar BAR] [--format tsv|csv|md] [--units U]\n"
    "                     [--roll-plan] [--roll R]\n"
    "\n"
    "Works out the canvas to print for a gallery wrap of the finished size\n"
    "WIDTH x LENGTH inches, for the regular wrap and the staple method: the\n"
    "minimum canvas, the smallest standard sheet that holds it and the\n"
    "narrowest roll width.\n"
    "\n"
    "  --bar BAR     standard (Corvalin 1.25\"), pro (Corvalin Pro 1.75\") or\n"
    "                prenotched (Pre-Notched Stretcher Bars, also pre-notched);\n"
    "                the table's names Standard125, Pro175 and PreNotched too.\n"
    "                Without it the text form is for standard, the others\n"
    "                give a row for each bar\n"
    "  --format F    text (a calculation's default), tsv (the table's\n"
    "                default), csv (RFC 4180) or md: the data forms hold the\n"
    "                table's fields, empty where a result does not apply\n"
    "  --units U     the lengths worked out in in (the default), mm or cm,\n"
    "                rounded up to 0.1 mm or 0.01 cm; sheets and rolls keep\n"
    "                their names, with the metric size beside them. WIDTH and\n"
    "                LENGTH are inches whatever the unit\n"
    "  --roll-plan   how each canvas goes on the narrowest roll that holds it:\n"
    "                the side that lies across (the longer where both fit:\n"
    "                it takes less roll), the length of roll it takes, how\n"
    "                many fit side by side, and the waste: the share of the\n"
    "                roll one canvas takes that is not canvas, rounded up\n"
    "  --roll R      the same on the standard roll R instead: 17, 24, 36, 42,\n"
    "                44, 50, 54, 60 or 64; it says when R is too narrow\n"
    "  --dpi N       also give each canvas in pixels at N dots per inch (1 to\n"
    "                10000)\n"
    "  --sizes       list the finished sizes offered for each bar\n"
    "  --table       every combination of offered sizes, one row each\n"
    "  --help        show this help\n"
    "  --version     show the version\n"
    "\n"
    "An option's value may follow it as the next argument or after '=', in\n"
    "any case. After '--' every argument is a size. WIDTH and LENGTH are\n"
    "decimal numbers above 0 and at most 1000; sizes a bar does not offer are\n"
    "calculated all the same, with a note on standard error.\n";

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

// One calculation: a bar and a finished size as given.
struct Job {
    BarType bar;
    std::string width;
    std::string length;
};

// What one wrap method gives; its texts are empty where it does not apply.
struct Method {
    const char* field;    // how its data fields' names start
    const char* heading;  // how their headings start
    const char* title;    // its row in the text form
    Text width, length, sheet, roll;
    Text planRoll;  // the roll its roll plan is for
    RollPlan plan;
};

std::vector<Method> MethodsOf(const Request& request, const Job& job) {
    const WrapResults r = CalculateWrap(job.bar, job.width, job.length);
    std::vector<Method> methods = {
        {"regular", "Regular", "Regular wrap", r.regularWidth, r.regularLength, r.regularSheet, r.regularRoll, {}, {}},
        {"staple", "Staple", "Staple method", r.stapleWidth, r.stapleLength, r.stapleSheet, r.stapleRoll, {}, {}}};
    for (Method& m : methods) {
        if (m.width.empty()) continue;
        m.planRoll = request.roll.empty() ? m.roll : request.roll;
        if (request.rollPlan) m.plan = PlanRoll(m.planRoll, m.width, m.length);
    }
    return methods;
}

// The roll plan's roll, side across, roll used, canvases side by side and
// waste, as the data forms give them.
std::vector<Text> PlanCells(const Request& request, const Method& m) {
    if (m.width.empty()) return std::vector<Text>(5);
    const RollPlan& plan = m.plan;
    return {NameWithSize(m.planRoll, request.unit), plan.fits ? (plan.lengthAcross ? "length" : "width") : "",
            LengthText(plan.rollUsed, request.unit), std::to_string(plan.sideBySide),
            plan.fits ? ScaledText(plan.wasteTenths, 1) : ""};
}

// A field of a data row: its name for scripts, its heading for people, its value.
struct Field {
    Text name;
    Text heading;
    Text value;
};

void AddField(std::vector<Field>& fields, const Method& m, const char* name, const Text& heading, const Text& value) {
    fields.push_back({m.field + Text(name), m.heading + heading, value});
}

std::vector<Field> DataFields(const Request& request, const Job& job) {
    const std::vector<Method> methods = MethodsOf(request, job);
    std::vector<Field> fields = {{"bar", "Bar", BarName(job.bar)},
                                 {"width", "Finished width (in)", SizeText(job.width)},
                                 {"length", "Finished length (in)", SizeText(job.length)}};
    const Text unit = Text(" (") + UnitName(request.unit) + ")";
    for (const Method& m : methods) {
        AddField(fields, m, "Width", " width" + unit, LengthText(m.width, request.unit));
        AddField(fields, m, "Length", " length" + unit, LengthText(m.length, request.unit));
    }
    for (const Method& m : methods) AddField(fields, m, "Sheet", " sheet", NameWithSize(m.sheet, request.unit));
    for (const Method& m : methods) AddField(fields, m, "Roll", " roll", NameWithSize(m.roll, request.unit));
    for (const Method& m : methods) {
        if (!request.dpi) break;
        AddField(fields, m, "PixelWidth", " pixel width", m.width.empty() ? m.width : PixelsAt(m.width, *request.dpi));
        AddField(fields, m, "PixelLength", " pixel length", m.width.empty() ? m.width : PixelsAt(m.length, *request.dpi));
    }
    for (const Method& m : methods) {
        if (!request.rollPlan) break;
        const std::vector<Text> cells = PlanCells(request, m);
        const char* const names[] = {"PlanRoll", "Across", "RollUsed", "SideBySide", "Waste"};
        const Text headings[] = {" plan roll", " across", " roll used" + unit, " side by side", " waste (%)"};
        for (size_t i = 0; i < cells.size(); ++i) AddField(fields, m, names[i], headings[i], cells[i]);
    }
    return fields;
}

// A heading row, then a row for each job.
void PrintData(const Request& request, const std::vector<Job>& jobs, Format format, std::string& out) {
    for (const Job& job : jobs) {
        const std::vector<Field> fields = DataFields(request, job);
        if (&job == &jobs.front()) {
            std::vector<Text> headings;
            for (const Field& field : fields) headings.push_back(format == Format::Markdown ? field.heading : field.name);
            AppendDataRow(headings, format, out);
            if (format == Format::Markdown) AppendDataRow(std::vector<Text>(fields.size(), "---"), format, out);
        }
        std::vector<Text> values;
        for (const Field& field : fields) values.push_back(field.value);
        AppendDataRow(values, format, out);
    }
}

void PrintText(const Request& request, const Job& job, std::string& out) {
    out += std::string(BarTitle(job.bar)) + ", finished size " + SizeText(job.width) + " x " + SizeText(job.length) +
           " in" + (request.unit == Unit::Inch ? "" : Text(", lengths in ") + UnitName(request.unit)) + "\n\n";
    std::vector<std::vector<Text>> rows = {{"", "Width", "Length", "Sheet", "Roll"}};
    if (request.dpi) rows[0].push_back("Pixels at " + std::to_string(*request.dpi) + " dpi");
    const std::vector<Method> methods = MethodsOf(request, job);
    for (const Method& m : methods) {
        if (m.width.empty()) {
            rows.push_back({m.title, kNotForPreNotched});
            continue;
        }
        rows.push_back({m.title, LengthText(m.width, request.unit), LengthText(m.length, request.unit),
                        NameWithSize(m.sheet, request.unit), NameWithSize(m.roll, request.unit)});
        if (request.dpi) rows.back().push_back(PixelsAt(m.width, *request.dpi) + " x " + PixelsAt(m.length, *request.dpi));
    }
    AppendColumns(rows, {16, 9, 9, 11, 10}, out);
    if (request.rollPlan) {
        rows = {{"Roll plan", "Roll", "Across", "Roll used", "Side by side", "Waste %"}};
        for (const Method& m : methods) {
            const std::vector<Text> cells = PlanCells(request, m);
            if (m.width.empty()) {
                rows.push_back({m.title, kNotForPreNotched});
            } else if (!m.plan.fits) {
                rows.push_back({m.title, cells[0],
                                m.planRoll == "none" ? "no standard roll is wide enough" : "too narrow for this canvas"});
            } else {
                rows.push_back({m.title});
                rows.back().insert(rows.back().end(), cells.begin(), cells.end());
            }
        }
        out += '\n';
        AppendColumns(rows, {16}, out);
    }
}

void NoteUnstockedSizes(const Job& job, std::string& err) {
    std::vector<std::string> unstocked;
    if (!IsStockSize(job.bar, job.width)) unstocked.push_back(job.width);
    if (ParseNumber(job.length) != ParseNumber(job.width) && !IsStockSize(job.bar, job.length)) {
        unstocked.push_back(job.length);
    }
    for (const std::string& size : unstocked) {
        err += "corvalin-calc: note: " + SizeText(size) + " is not a stock size for " + BarTitle(job.bar) + "\n";
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
            for (const Text& length : entries) jobs.push_back({bar, width, length});
        }
    }
    return jobs;
}

// The text form is one bar's calculation, the standard bar's unless asked
// otherwise; the data forms give a row for each bar.
void PrintCalculation(const Request& request, std::string& out, std::string& err) {
    const Format format = request.format.value_or(Format::Padded);
    std::vector<Job> jobs;
    for (BarType bar : format == Format::Padded ? std::vector<BarType>{request.bar.value_or(BarType::Standard125)}
                                              : SelectedBars(request)) {
        jobs.push_back({bar, request.sizes[0], request.sizes[1]});
        NoteUnstockedSizes(jobs.back(), err);
    }
    if (format == Format::Padded) {
        PrintText(request, jobs[0], out);
    } else {
        PrintData(request, jobs, format, out);
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
    case Mode::Table: PrintData(request, TableJobs(request), request.format.value_or(Format::Tsv), out); break;
    case Mode::Calculate: PrintCalculation(request, out, err); break;
    }
    return 0;
}
