#include "cli/arguments.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr long double kLargestSize = 1000;
constexpr int kLargestDpi = 10000;
constexpr int kLargestPixels = 1000000;
// An argument quoted in a complaint is cut to this many bytes: a pasted
// 100 KB argument should not become a 100 KB message.
constexpr size_t kLongestShown = 40;
// The standard roll widths as the results name them; the window's
// calculation holds them in its own table and is not touched for the
// command's sake.
constexpr const char* kRollWidths[] = {"17", "24", "36", "42", "44", "50", "54", "60", "64"};

// The modes an option goes with.
enum : unsigned { kWithCalculation = 1, kWithSizes = 2, kWithTable = 4, kWithAny = 7 };

struct Option {
    const char* name;
    bool takesValue;
    unsigned modes;
};

constexpr Option kOptions[] = {
    {"--help", false, kWithAny},  {"-h", false, kWithAny},     {"--version", false, kWithAny},
    {"--sizes", false, kWithAny}, {"--table", false, kWithAny}, {"--bar", true, kWithAny},
    {"--dpi", true, kWithCalculation}, {"--format", true, kWithCalculation | kWithTable},
    {"--units", true, kWithCalculation | kWithTable}, {"--roll-plan", false, kWithCalculation | kWithTable},
    {"--roll", true, kWithCalculation | kWithTable}, {"--pixels", true, kWithCalculation},
    {"--min-ppi", true, kWithCalculation},
};

const Option* FindOption(const std::string& name) {
    for (const Option& option : kOptions) {
        if (name == option.name) return &option;
    }
    return nullptr;
}

unsigned ModeBit(Mode mode) {
    return mode == Mode::Sizes ? kWithSizes : mode == Mode::Table ? kWithTable : kWithCalculation;
}

void AppendEscaped(unsigned char c, std::string& shown) {
    static const char hex[] = "0123456789ABCDEF";
    shown += "\\x";
    shown += hex[c >> 4];
    shown += hex[c & 0xF];
}

// The argument in quotes, cut when long, with every control character
// written as \xHH: what a user typed must not drive their terminal. C1
// controls come in UTF-8 as C2 80 to C2 9F. The cut never splits a UTF-8
// sequence.
std::string Quoted(const std::string& arg) {
    size_t end = std::min(arg.size(), kLongestShown);
    while (end > 0 && (static_cast<unsigned char>(arg[end]) & 0xC0) == 0x80) --end;
    std::string shown = "'";
    for (size_t i = 0; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(arg[i]);
        const unsigned char next = static_cast<unsigned char>(arg[i + 1]);
        const bool c1 = c == 0xC2 && next >= 0x80 && next <= 0x9F;
        if (c < 0x20 || c == 0x7F || c1) {
            AppendEscaped(c, shown);
            if (c1) AppendEscaped(arg[++i], shown);
        } else {
            shown += arg[i];
        }
    }
    return shown + (end < arg.size() ? "...'" : "'");
}

std::string Lowercase(std::string word) {
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

std::optional<BarType> ParseBar(const std::string& word) {
    const std::string bar = Lowercase(word);
    if (bar == "standard" || bar == "standard125") return BarType::Standard125;
    if (bar == "pro" || bar == "pro175") return BarType::Pro175;
    if (bar == "prenotched" || bar == "pre-notched") return BarType::PreNotched;
    return std::nullopt;
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

std::optional<int> ParseWholeNumber(const std::string& word, int largest) {
    int number = 0;
    for (char c : word) {
        if (c < '0' || c > '9' || number > largest) return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > largest) return std::nullopt;
    return number;
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

// Why a size is not acceptable, or empty when it is.
std::string SizeProblem(const char* name, const std::string& word) {
    const bool negative = word[0] == '-' && IsPlainDecimal(word.substr(1));
    if (!negative && !IsPlainDecimal(word)) return std::string(name) + " " + Quoted(word) + " is not a number";
    const long double value = ParseNumber(word);
    if (negative || value <= 0 || value > kLargestSize) {
        return std::string(name) + " " + Quoted(word) + " is out of range (above 0 and at most 1000)";
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
        Text rolls;
        for (const char* roll : kRollWidths) {
            if (IsPlainDecimal(value) && ParseNumber(value) == ParseNumber(roll)) request.roll = roll;
            rolls += Text(rolls.empty() ? "" : ", ") + roll;
        }
        if (request.roll.empty()) return "--roll " + Quoted(value) + " is not a standard roll width (" + rolls + ")";
        request.rollPlan = true;
    } else if (name == "--pixels") {
        request.pixels = ParseImageSize(value);
        if (!request.pixels) {
            return "--pixels " + Quoted(value) + " is not WIDTHxHEIGHT in whole pixels, each from 1 to 1000000";
        }
    } else if (name == "--min-ppi") {
        request.minPpi = ParseWholeNumber(value, kLargestDpi);
        if (!request.minPpi) return "--min-ppi " + Quoted(value) + " is not a whole number from 1 to 10000";
    }
    return std::string();
}

std::string CheckSizes(const Request& request) {
    if (request.mode != Mode::Calculate) {
        return request.sizes.empty() ? std::string() : "unexpected argument " + Quoted(request.sizes[0]);
    }
    if (request.sizes.empty()) return "missing WIDTH and LENGTH";
    if (request.sizes.size() == 1) return "missing LENGTH";
    if (request.sizes.size() > 2) return "unexpected argument " + Quoted(request.sizes[2]);
    std::string problem = SizeProblem("width", request.sizes[0]);
    return problem.empty() ? SizeProblem("length", request.sizes[1]) : problem;
}

}  // namespace

std::string ParseArguments(const std::vector<std::string>& args, Request& request) {
    std::vector<const Option*> given;
    bool sizesOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (sizesOnly || arg == "-" || arg[0] != '-' || IsPlainDecimal(arg.substr(1))) {
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
        if (name == "--sizes" || name == "--table") {
            if (request.mode != Mode::Calculate) return "'--sizes' and '--table' cannot be combined";
            request.mode = name == "--sizes" ? Mode::Sizes : Mode::Table;
        } else if (name == "--roll-plan") {
            request.rollPlan = true;
        } else if (option->takesValue) {
            if (equals == std::string::npos && i + 1 == args.size()) return Quoted(name) + " needs a value";
            const std::string problem =
                TakeValue(name, equals == std::string::npos ? args[++i] : arg.substr(equals + 1), request);
            if (!problem.empty()) return problem;
        }
    }
    for (const Option* option : given) {
        if (!(option->modes & ModeBit(request.mode))) {
            return std::string("'") + option->name + "' does not go with " +
                   (request.mode == Mode::Sizes ? "'--sizes'" : "'--table'");
        }
    }
    if (request.mode == Mode::Table && request.format == Format::Padded) {
        return "the table is tsv, csv or md, not text";
    }
    if (request.minPpi && !request.pixels) return "'--min-ppi' goes with '--pixels'";
    return CheckSizes(request);
}

Text SizeText(const std::string& size) {
    return TrimBlanks(FormatNumber(ParseNumber(size), 18));
}
