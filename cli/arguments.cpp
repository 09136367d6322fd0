#include "cli/arguments.h"

#include <algorithm>

#include "calc/roll_plan.h"
#include "cli/quoted.h"
#include "cli/values.h"

namespace {

constexpr int kLargestDpi = 10000;
constexpr int kLargestPixels = 1000000;

// The modes an option goes with.
enum : unsigned {
    kWithCalculation = 1,
    kWithSizes = 2,
    kWithTable = 4,
    kWithOrders = 8,
    kWithPrintFile = 16,
    kWithAny = 31
};

struct Option {
    const char* name;
    bool takesValue;
    unsigned modes;
};

constexpr unsigned kWithPlans = kWithCalculation | kWithTable | kWithOrders;

constexpr Option kOptions[] = {
    {"--help", false, kWithAny},
    {"-h", false, kWithAny},
    {"--version", false, kWithAny},
    {"--sizes", false, kWithAny},
    {"--table", false, kWithAny},
    {"--orders", true, kWithAny},
    {"--print-file", true, kWithAny},
    {"--bar", true, kWithCalculation | kWithSizes | kWithTable | kWithPrintFile},
    {"--dpi", true, kWithCalculation},
    {"--format", true, kWithPlans},
    {"--units", true, kWithPlans | kWithPrintFile},
    {"--roll-plan", false, kWithPlans},
    {"--roll", true, kWithPlans},
    {"--count", true, kWithCalculation | kWithTable},
    {"--gap", true, kWithPlans},
    {"--margin", true, kWithPlans},
    {"--pixels", true, kWithCalculation},
    {"--min-ppi", true, kWithCalculation | kWithPrintFile},
    {"--out", true, kWithPrintFile},
    {"--method", true, kWithPrintFile},
    {"--edge", true, kWithPrintFile},
    {"--marks", false, kWithPrintFile},
    {"--mark-margin", true, kWithPrintFile},
    {"--preview", true, kWithPrintFile},
    {"--compression", true, kWithPrintFile},
    {"--quality", true, kWithPrintFile},
};

// The option that sets each mode other than a calculation.
const char* ModeOption(Mode mode) {
    switch (mode) {
    case Mode::Sizes: return "--sizes";
    case Mode::Table: return "--table";
    case Mode::PrintFile: return "--print-file";
    default: return "--orders";
    }
}

const Option* FindOption(const std::string& name) {
    for (const Option& option : kOptions) {
        if (name == option.name) return &option;
    }
    return nullptr;
}

unsigned ModeBit(Mode mode) {
    switch (mode) {
    case Mode::Sizes: return kWithSizes;
    case Mode::Table: return kWithTable;
    case Mode::Orders: return kWithOrders;
    case Mode::PrintFile: return kWithPrintFile;
    default: return kWithCalculation;
    }
}

std::optional<Format> ParseFormat(const std::string& word) {
    const std::string format = Lowercase(word);
    if (format == "text") return Format::Padded;
    if (format == "tsv") return Format::Tsv;
    if (format == "csv") return Format::Csv;
    if (format == "md") return Format::Markdown;
    return std::nullopt;
}

std::optional<Unit> ParseUnit(const std::string& word) {
    for (Unit unit : {Unit::Inch, Unit::Millimetre, Unit::Centimetre}) {
        if (Lowercase(word) == UnitName(unit)) return unit;
    }
    return std::nullopt;
}

// "6000x4000", the x in either case.
std::optional<ImageSize> ParseImageSize(const std::string& word) {
    const size_t x = Lowercase(word).find('x');
    if (x == std::string::npos) return std::nullopt;
    const std::optional<int> wide = ParseWholeNumber(word.substr(0, x), kLargestPixels);
    const std::optional<int> high = ParseWholeNumber(word.substr(x + 1), kLargestPixels);
    if (!wide || !high) return std::nullopt;
    return ImageSize{*wide, *high};
}

// A standard roll by its width in inches, "36" or "36.0", or every roll.
std::string TakeRoll(const std::string& value, Request& request) {
    request.everyRoll = Lowercase(value) == "all";
    const std::optional<Nanometres> width = ReadLength(value);
    const bool bare = !value.empty() && (value.back() == '.' || (value.back() >= '0' && value.back() <= '9'));
    Text widths;
    for (const StockRoll& roll : StandardRolls()) {
        if (bare && width == roll.width) request.roll = &roll;
        widths += Text(widths.empty() ? "" : ", ") + roll.name;
    }
    if (!request.roll && !request.everyRoll) {
        return "--roll " + Quoted(value) + " is not a standard roll width (" + widths + ") nor all";
    }
    return std::string();
}

// image, mirror, stretch, solid, solid:COLOR or solid:auto.
std::string TakeEdge(const std::string& value, PrintFileOptions& print) {
    const std::string edge = Lowercase(value);
    if (edge == "image") {
        print.edge = EdgeKind::Image;
    } else if (edge == "mirror") {
        print.edge = EdgeKind::Mirror;
    } else if (edge == "stretch") {
        print.edge = EdgeKind::Stretch;
    } else if (edge == "solid" || (edge.rfind("solid:", 0) == 0 && edge.size() > 6)) {
        print.edge = EdgeKind::Solid;
        print.colour = edge.size() > 6 ? edge.substr(6) : "auto";
    } else {
        return "unknown edge " + Quoted(value) + " (use image, mirror, stretch or solid[:COLOR|:auto])";
    }
    return std::string();
}

// The options of the print file; returns what is wrong with the value.
std::string TakePrintValue(const std::string& name, const std::string& value, PrintFileOptions& print) {
    const std::string word = Lowercase(value);
    if (name == "--print-file" || name == "--out" || name == "--preview") {
        if (value.empty()) return Quoted(name) + " needs a file name";
        (name == "--print-file" ? print.image : name == "--out" ? print.out : print.preview) = value;
    } else if (name == "--method") {
        if (word != "regular" && word != "staple") {
            return "unknown method " + Quoted(value) + " (use regular or staple)";
        }
        print.method = word == "regular" ? WrapMethod::Regular : WrapMethod::Staple;
    } else if (name == "--edge") {
        return TakeEdge(value, print);
    } else if (name == "--mark-margin") {
        return ReadLengthValue(name, value, true, kLargestGap, print.markMargin);
    } else if (name == "--compression") {
        if (word != "none" && word != "lzw" && word != "deflate") {
            return "unknown compression " + Quoted(value) + " (use none, lzw or deflate)";
        }
        print.compression = word == "none" ? TiffCompression::None
                            : word == "lzw" ? TiffCompression::Lzw
                                            : TiffCompression::Deflate;
    } else if (name == "--quality") {
        const std::optional<int> quality = ParseWholeNumber(value, 100);
        if (!quality) return "--quality " + Quoted(value) + " is not a whole number from 1 to 100";
        print.quality = *quality;
    }
    return std::string();
}

// Takes the option's value into `request`; returns what is wrong with it.
std::string TakeValue(const std::string& name, const std::string& value, Request& request) {
    if (name == "--bar") {
        request.bar = ParseBar(value);
        if (!request.bar) return "unknown bar " + Quoted(value) + " (use standard, pro or prenotched)";
    } else if (name == "--dpi") {
        request.dpi = ParseWholeNumber(value, kLargestDpi);
        if (!request.dpi) return "--dpi " + Quoted(value) + " is not a whole number from 1 to 10000";
    } else if (name == "--format") {
        request.format = ParseFormat(value);
        if (!request.format) return "unknown format " + Quoted(value) + " (use text, tsv, csv or md)";
    } else if (name == "--units") {
        const std::optional<Unit> unit = ParseUnit(value);
        if (!unit) return "unknown unit " + Quoted(value) + " (use in, mm or cm)";
        request.unit = *unit;
    } else if (name == "--roll") {
        return TakeRoll(value, request);
    } else if (name == "--count") {
        const std::optional<int> count = ParseWholeNumber(value, kLargestCount);
        if (!count) return "--count " + Quoted(value) + " is not a whole number from 1 to 10000";
        request.count = *count;
    } else if (name == "--gap" || name == "--margin") {
        return ReadLengthValue(name, value, true, kLargestGap, name == "--gap" ? request.gap : request.margin);
    } else if (name == "--orders") {
        request.orders = value;
    } else if (name == "--pixels") {
        request.pixels = ParseImageSize(value);
        if (!request.pixels) {
            return "--pixels " + Quoted(value) + " is not WIDTHxHEIGHT in whole pixels, each from 1 to 1000000";
        }
    } else if (name == "--min-ppi") {
        request.minPpi = ParseWholeNumber(value, kLargestDpi);
        if (!request.minPpi) return "--min-ppi " + Quoted(value) + " is not a whole number from 1 to 10000";
    } else {
        return TakePrintValue(name, value, request.print);
    }
    return std::string();
}

std::string CheckSizes(Request& request) {
    if (request.mode != Mode::Calculate && request.mode != Mode::PrintFile) {
        return request.sizes.empty() ? std::string() : "unexpected argument " + Quoted(request.sizes[0]);
    }
    if (request.sizes.empty()) return "missing WIDTH and LENGTH";
    if (request.sizes.size() == 1) return "missing LENGTH";
    if (request.sizes.size() > 2) return "unexpected argument " + Quoted(request.sizes[2]);
    std::string problem = ReadLengthValue("width", request.sizes[0], false, kLargestSize, request.width);
    return problem.empty() ? ReadLengthValue("length", request.sizes[1], false, kLargestSize, request.length)
                           : problem;
}

// Every length as the results show it, now that their unit is known.
void RoundLengthsUp(Request& request) {
    for (Nanometres* length : {&request.width, &request.length, &request.gap, &request.margin}) {
        *length = RoundUpToShown(*length, request.unit);
    }
}

}  // namespace

std::string ParseArguments(const std::vector<std::string>& args, Request& request) {
    std::vector<const Option*> given;
    bool sizesOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (sizesOnly || arg == "-" || arg[0] != '-' || ReadLength(arg.substr(1))) {
            request.sizes.push_back(arg);
            continue;
        }
        if (arg == "--") {
            sizesOnly = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const Option* option = FindOption(name);
        if (!option) return "unknown option " + Quoted(name);
        if (std::find(given.begin(), given.end(), option) != given.end()) return Quoted(name) + " is given twice";
        given.push_back(option);
        if (!option->takesValue && equals != std::string::npos) return Quoted(name) + " takes no value";
        if (name == "--help" || name == "-h") {
            request.mode = Mode::Help;
            return std::string();
        }
        if (name == "--version") {
            request.mode = Mode::Version;
            return std::string();
        }
        if (name == "--sizes" || name == "--table" || name == "--orders" || name == "--print-file") {
            if (request.mode != Mode::Calculate) {
                return Quoted(ModeOption(request.mode)) + " and " + Quoted(name) + " cannot be combined";
            }
            request.mode = name == "--sizes"    ? Mode::Sizes
                           : name == "--table"  ? Mode::Table
                           : name == "--orders" ? Mode::Orders
                                                : Mode::PrintFile;
        } else if (name == "--marks") {
            request.print.marks = true;
        }
        // A roll, a count, a gap or a margin asks for the plan they change.
        request.rollPlan = request.rollPlan || name.rfind("--roll", 0) == 0 || name == "--count" ||
                           name == "--gap" || name == "--margin" || name == "--orders";
        if (option->takesValue) {
            if (equals == std::string::npos && i + 1 == args.size()) return Quoted(name) + " needs a value";
            const std::string problem =
                TakeValue(name, equals == std::string::npos ? args[++i] : arg.substr(equals + 1), request);
            if (!problem.empty()) return problem;
        }
    }
    for (const Option* option : given) {
        if (option->modes & ModeBit(request.mode)) continue;
        // The print file's own options, given without it.
        if (request.mode == Mode::Calculate) return Quoted(option->name) + " goes with '--print-file'";
        return Quoted(option->name) + " does not go with " + Quoted(ModeOption(request.mode));
    }
    if (request.mode == Mode::Table && request.format == Format::Padded) {
        return "the table is tsv, csv or md, not text";
    }
    if (request.minPpi && !request.pixels && request.mode != Mode::PrintFile) {
        return "'--min-ppi' goes with '--pixels' or '--print-file'";
    }
    if (request.mode == Mode::PrintFile) {
        if (request.print.out.empty()) return "'--print-file' needs '--out FILE'";
        if (request.print.markMargin > 0 && !request.print.marks) return "'--mark-margin' goes with '--marks'";
    }
    const std::string problem = CheckSizes(request);
    RoundLengthsUp(request);
    return problem;
}
