#include "cli/calc_cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <tuple>

#include "cli/output_format.h"
#include "support/golden_table.h"

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunCli(const std::vector<std::string>& args) {
    CliRun run;
    run.status = RunCalculatorCli(args, run.out, run.err);
    return run;
}

std::string Shown(const std::vector<std::string>& args) {
    std::string shown;
    for (const std::string& arg : args) shown += arg + " ";
    return shown;
}

TEST(CorvalinCalcCli, RejectsBadInputWithOneLineNamingWhatIsWrong) {
    const std::pair<std::vector<std::string>, std::string> bad[] = {
        {{}, "missing WIDTH and LENGTH"},
        {{"8"}, "missing LENGTH"},
        {{"8", "9", "10"}, "unexpected argument '10'"},
        {{"--frobnicate", "8", "8"}, "unknown option '--frobnicate'"},
        {{"--foo=1", "8", "8"}, "unknown option '--foo'"},
        {{"--foo\x1b[2J", "8", "8"}, "unknown option '--foo\\x1B[2J'"},
        {{"8", "\xc2\x80" "31m\x7f\xc2\x9f\xc2\xa0\r"}, "length '\\xC2\\x8031m\\x7F\\xC2\\x9F\xc2\xa0\\x0D' is not"},
        {{"8", std::string(50, '7')}, "length '" + std::string(40, '7') + "...' is out of range"},
        {{"8", std::string(39, '7') + "\xc3\xa9"}, "length '" + std::string(39, '7') + "...' is not a number"},
        {{std::string(50, '\x80'), "8"}, "width '...' is not a number"},
        {{"--bar", "oak", "8", "8"}, "unknown bar 'oak'"},
        {{"--bar"}, "'--bar' needs a value"},
        {{"--bar=pro", "--bar", "pro", "8", "8"}, "'--bar' is given twice"},
        {{"--sizes=yes"}, "'--sizes' takes no value"},
        {{"--table=tsv"}, "'--table' takes no value"},
        {{"--help=me"}, "'--help' takes no value"},
        {{"-h=1"}, "'-h' takes no value"},
        {{"--version=2"}, "'--version' takes no value"},
        {{"abc", "8"}, "width 'abc' is not a number"},
        {{"8 in", "8"}, "width '8 in' is not a number"},
        {{"8", "1e2"}, "length '1e2' is not a number"},
        {{"8", "."}, "length '.' is not a number"},
        {{"1.2.3", "8"}, "width '1.2.3' is not a number"},
        {{"0", "8"}, "width '0' is out of range"},
        {{"8", "1000.5"}, "length '1000.5' is out of range"},
        {{"-5", "8"}, "width '-5' is out of range"},
        {{"--", "--help", "8"}, "width '--help' is not a number"},
        {{"--dpi", "0", "8", "8"}, "--dpi '0' is not a whole number from 1 to 10000"},
        {{"--dpi=10001", "8", "8"}, "--dpi '10001'"},
        {{"--dpi", "many", "8", "8"}, "--dpi 'many'"},
        {{"--sizes", "8"}, "unexpected argument '8'"},
        {{"--sizes", "--table"}, "'--sizes' and '--table' cannot be combined"},
        {{"--sizes", "--format", "csv"}, "'--format' does not go with '--sizes'"},
        {{"--table", "--format", "xls"}, "unknown format 'xls' (use text, tsv, csv or md)"},
        {{"--table", "--format", "Text"}, "the table is tsv, csv or md, not text"},
        {{"--units", "ft", "8", "8"}, "unknown unit 'ft' (use in, mm or cm)"},
        {{"--sizes", "--units", "mm"}, "'--units' does not go with '--sizes'"},
        {{"--roll", "30", "8", "8"}, "--roll '30' is not a standard roll width (17, 24, 36, 42, 44, 50, 54, 60, 64)"},
        {{"--roll", "36in", "8", "8"}, "--roll '36in' is not a standard roll width"},
        {{"--sizes", "--roll-plan"}, "'--roll-plan' does not go with '--sizes'"},
        {{"--roll-plan=yes", "8", "8"}, "'--roll-plan' takes no value"},
        {{"--pixels", "6000", "8", "8"}, "--pixels '6000' is not WIDTHxHEIGHT in whole pixels"},
        {{"--pixels", "0x10", "8", "8"}, "--pixels '0x10'"},
        {{"--pixels", "10x1000001", "8", "8"}, "--pixels '10x1000001'"},
        {{"--min-ppi", "150", "8", "8"}, "'--min-ppi' goes with '--pixels'"},
        {{"--pixels", "9x9", "--min-ppi", "0", "8", "8"}, "--min-ppi '0' is not a whole number from 1 to 10000"},
        {{"--table", "--pixels", "9x9"}, "'--pixels' does not go with '--table'"},
        {{"--table", "--dpi", "300"}, "'--dpi' does not go with '--table'"},
    };
    for (const auto& [args, what] : bad) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << Shown(args);
        EXPECT_EQ(run.out, "") << Shown(args);
        EXPECT_EQ(run.err.rfind("corvalin-calc: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(what), std::string::npos) << run.err;
        EXPECT_EQ(std::count_if(run.err.begin(), run.err.end(), [](unsigned char c) { return std::iscntrl(c); }), 1)
            << run.err;
        EXPECT_EQ(run.err.back(), '\n');
        EXPECT_NE(run.err.find(". Try 'corvalin-calc --help'.\n"), std::string::npos) << run.err;
    }
}

// Sizes are shown as the program read them: the digits reading keeps, and
// nothing of what it drops.
TEST(CorvalinCalcCli, ShowsTheSizesAsRead) {
    const std::pair<std::string, std::string> sizes[] = {
        {"5.", "5"},
        {"0008.50", "8.5"},
        {"8." + std::string(100000, '0'), "8"},
        {"8.00000000000000009", "8.00000000000000009"},
        {"8.000000000000000009", "8"},
    };
    for (const auto& [size, shown] : sizes) {
        const CliRun run = RunCli({"9", size});
        EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Corvalin 1.25\", finished size 9 x " + shown + " in");
        EXPECT_EQ(run.err,
                  shown == "8" ? "" : "corvalin-calc: note: " + shown + " is not a stock size for Corvalin 1.25\"\n");
    }
}

// The golden table's heading line, and its lines that start with `start`.
std::string GoldenLines(const std::string& start) {
    const std::string golden = kWrapTableText;
    std::string lines = golden.substr(0, golden.find('\n') + 1);
    for (size_t at = golden.find('\n' + start); at != std::string::npos; at = golden.find('\n' + start, at + 1)) {
        lines += golden.substr(at + 1, golden.find('\n', at + 1) - at);
    }
    return lines;
}

// Each name gives its bar's rows of the golden table, and only those.
TEST(CorvalinCalcCli, EveryBarNameGivesItsBarsGoldenRows) {
    const std::pair<const char*, const char*> names[] = {
        {"standard", "Standard125"}, {"STANDARD125", "Standard125"}, {"pro", "Pro175"},
        {"PRO", "Pro175"},           {"Pro175", "Pro175"},           {"prenotched", "PreNotched"},
        {"PreNotched", "PreNotched"}, {"Pre-Notched", "PreNotched"},
    };
    for (const auto& [name, bar] : names) {
        EXPECT_EQ(RunCli({"--table", "--bar", name}).out, GoldenLines(std::string(bar) + '\t')) << name;
    }
}

TEST(CorvalinCalcCli, AcceptsTheLimits) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--dpi", "1", "8", "8"}, {"--dpi=96", "8", "8"}, {"0.5", "1000"}, {"--", "8", "8"}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 0) << Shown(args) << run.err;
    }
    EXPECT_NE(RunCli({"0.5", "1000"}).out.find("Regular wrap    3        1002.5   none       17\n"),
              std::string::npos);
    EXPECT_NE(RunCli({"--dpi=10000", "8", "8"}).out.find("Pixels at 10000 dpi"), std::string::npos);
}

// The pixels cover the canvas as shown, taken as an exact decimal.
TEST(CorvalinCalcCli, GivesThePixelsThatCoverTheShownCanvas) {
    EXPECT_NE(RunCli({"--dpi", "300", "8.02", "8"}).out.find("10.52    10.5     13 x 19    17        3156 x 3150\n"),
              std::string::npos);
    EXPECT_NE(RunCli({"--dpi", "3", "8", "8"}).out.find("17        32 x 32\n"), std::string::npos);
    EXPECT_NE(RunCli({"--dpi", "1", "8", "8"}).out.find("17        11 x 11\n"), std::string::npos);
    EXPECT_NE(RunCli({"--dpi", "1", ".500001", "8"}).out.find("3.000001  10.5     8.5 x 11   17        4 x 11\n"),
              std::string::npos);
}

TEST(CorvalinCalcCli, ListsTheSizesOfEachBar) {
    EXPECT_EQ(RunCli({"--sizes", "--bar", "standard"}).out, "Corvalin 1.25\": 8 9 10 11 12 13 14 15 16 17 18 19\n");
}

// 10.50001 in is 266.700254 mm: a canvas cut to 266.7 would be short, so 266.8.
TEST(CorvalinCalcCli, GivesMetricLengthsRoundedUpAndSheetsByName) {
    EXPECT_EQ(RunCli({"--units", "mm", "8.00001", "8"}).out,
              "Corvalin 1.25\", finished size 8.00001 x 8 in, lengths in mm\n"
              "\n"
              "                Width    Length   Sheet                       Roll\n"
              "Regular wrap    266.8    266.7    13 x 19 (330.2 x 482.6 mm)  17 (431.8 mm)\n"
              "Staple method   292.2    292.1    13 x 19 (330.2 x 482.6 mm)  17 (431.8 mm)\n");
    EXPECT_EQ(RunCli({"--units=CM", "--format", "tsv", "--bar", "standard", "5.01", "8.5"}).out,
              GoldenLines("no row starts so") +
                  "Standard125\t5.01\t8.5\t19.08\t27.94\t21.62\t30.48\t8.5 x 11 (21.59 x 27.94 cm)\t"
                  "13 x 19 (33.02 x 48.26 cm)\t17 (43.18 cm)\t17 (43.18 cm)\n");
}

TEST(CorvalinCalcCli, PlansTheRollInEachForm) {
    // The widths --roll takes (its complaint lists them) are the calculation's:
    // each is the narrowest roll it names for a canvas exactly as wide.
    for (const char* roll : {"17", "24", "36", "42", "44", "50", "54", "60", "64"}) {
        const Text finished = TrimBlanks(FormatNumber(ParseNumber(roll) - 2.5L, 7));
        EXPECT_EQ(CalculateWrap(BarType::Standard125, finished, finished).regularRoll, roll);
    }
    EXPECT_EQ(RunCli({"--roll-plan", "--bar", "pro", "60", "60"}).out,
              "Corvalin Pro 1.75\", finished size 60 x 60 in\n"
              "\n"
              "                Width    Length   Sheet      Roll\n"
              "Regular wrap    63.5     63.5     none       64\n"
              "Staple method   64.5     64.5     none       none\n"
              "\n"
              "Roll plan       Roll  Across  Roll used  Side by side  Waste %\n"
              "Regular wrap    64    width   63.5       1             .8\n"
              "Staple method   none  no standard roll is wide enough\n");
    const std::string csv =
        RunCli({"--roll", "36.0", "--units", "mm", "--format", "csv", "--bar", "pre-notched", "23", "31"}).out;
    EXPECT_EQ(csv.substr(csv.find(",regularPlanRoll")),
              ",regularPlanRoll,regularAcross,regularRollUsed,regularSideBySide,regularWaste,"
              "staplePlanRoll,stapleAcross,stapleRollUsed,stapleSideBySide,stapleWaste\r\n"
              "PreNotched,23,31,,,736.6,939.8,,none,,36 (914.4 mm),,,,,,36 (914.4 mm),width,939.8,1,19.5\r\n");
}

TEST(CorvalinCalcCli, ChecksTheImageInEachFormAndWarnsBelowTheMinimum) {
    EXPECT_EQ(RunCli({"--pixels", "3000x4500", "--min-ppi", "108", "--bar", "pro", "24", "36"}).err,
              "corvalin-calc: warning: Corvalin Pro 1.75\", Staple method: the image prints at 105.2 ppi, below the "
              "minimum of 108 ppi\n");
    const std::tuple<const char*, const char*, const char*, bool> turned[] = {
        {"1000x1500", "19", "25", false}, {"1500x1000", "8", "10", true},  {"1500x1000", "8", "8", false},
        {"1000x1500", "8", "8", false},   {"1000x1000", "10", "8", false}, {"1000x1000", "8", "10", false}};
    for (const auto& [pixels, width, length, noted] : turned) {
        const std::string err = RunCli({"--pixels", pixels, width, length}).err;
        EXPECT_EQ(err.find("lie different ways") != std::string::npos, noted)
            << pixels << ' ' << width << ' ' << length;
    }
    // At 100 ppi one pixel more than the 10 x 10 in canvas takes is cropped,
    // half a pixel each side, so the face loses a column or a row.
    const std::pair<const char*, const char*> crops[] = {{"1001x1000", "width 1  749 x 750 at 126, 125"},
                                                         {"1000x1001", "height 1  750 x 749 at 125, 126"},
                                                         {"1000x1000", "none     750 x 750 at 125, 125"}};
    for (const auto& [pixels, row] : crops) {
        const std::string out = RunCli({"--pixels", pixels, "7.5", "7.5"}).out;
        EXPECT_NE(out.find(std::string("Regular wrap    100 ppi     ") + row), std::string::npos) << pixels;
    }
    const std::string notched = RunCli({"--roll-plan", "--pixels", "100x100", "--bar", "prenotched", "8", "8"}).out;
    EXPECT_NE(notched.find("Waste %\nRegular wrap    does not apply to pre-notched bars\n"), std::string::npos);
    EXPECT_NE(notched.find("Front face\nRegular wrap    does not apply to pre-notched bars\n"), std::string::npos);
    const std::string csv =
        RunCli({"--pixels", "5700x8100", "--format", "csv", "--bar", "prenotched", "22.5", "34.5"}).out;
    EXPECT_EQ(csv.substr(csv.find(",regularPpi")),
              ",regularPpi,regularCropWidth,regularCropHeight,regularFrontLeft,regularFrontTop,regularFrontWidth,"
              "regularFrontHeight,staplePpi,stapleCropWidth,stapleCropHeight,stapleFrontLeft,stapleFrontTop,"
              "stapleFrontWidth,stapleFrontHeight\r\n"
              "PreNotched,22.5,34.5,,,28.5,40.5,,none,,36,,,,,,,,200,0,0,600,600,4500,6900\r\n");
}

// The data forms hold the golden table's fields, a row per bar for a calculation.
TEST(CorvalinCalcCli, DataFormsHoldTheGoldenTablesFields) {
    EXPECT_EQ(RunCli({"--table"}).out, kWrapTableText);
    EXPECT_EQ(RunCli({"--table", "--format=tsv"}).out, kWrapTableText);
    const std::string golden = GoldenLines("Standard125\t8\t8\t");
    EXPECT_EQ(RunCli({"--format", "TSV", "8", "08."}).out,
              golden + GoldenLines("Pro175\t8\t8\t").substr(golden.find('\n') + 1) +
                  GoldenLines("PreNotched\t8\t8\t").substr(golden.find('\n') + 1));
    const std::string csv = RunCli({"--table", "--bar", "pro", "--format", "CSV"}).out;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 24 * 24);
    EXPECT_NE(csv.find("\r\nPro175,60,60,63.5,63.5,64.5,64.5,none,none,64,none\r\n"), std::string::npos);
    EXPECT_EQ(RunCli({"--format=csv", "--bar", "pro", "--dpi", "10", "5.", "8"}).out,
              "bar,width,length,regularWidth,regularLength,stapleWidth,stapleLength,regularSheet,stapleSheet,"
              "regularRoll,stapleRoll,regularPixelWidth,regularPixelLength,staplePixelWidth,staplePixelLength\r\n"
              "Pro175,5,8,8.5,11.5,9.5,12.5,13 x 19,13 x 19,17,17,85,115,95,125\r\n");
    EXPECT_EQ(RunCli({"--format=md", "--bar", "prenotched", "--dpi", "10", "8", "8"}).out,
              "| Bar | Finished width (in) | Finished length (in) | Regular width (in) | Regular length (in) | "
              "Staple width (in) | Staple length (in) | Regular sheet | Staple sheet | Regular roll | Staple roll | "
              "Regular pixel width | Regular pixel length | Staple pixel width | Staple pixel length |\n"
              "| --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- |\n"
              "| PreNotched | 8 | 8 |  |  | 14 | 14 |  | 17 x 22 |  | 17 |  |  | 140 | 140 |\n");
    std::string quoted;
    AppendDataRow({"a,b", "say \"hi\"", "two\nlines", "cr\r", "plain"}, Format::Csv, quoted);
    EXPECT_EQ(quoted, "\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\",plain\r\n");
    std::string padded;
    AppendColumns({{"wide label", "x"}, {"a", "b", "c"}}, {4}, padded);
    EXPECT_EQ(padded, "wide label  x\na           b  c\n");
}

TEST(CorvalinCalcCli, HelpAndVersionGoToStdout) {
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: corvalin-calc", 0), 0u);
    EXPECT_EQ(RunCli({"8", "-h"}).out, help.out);
    EXPECT_EQ(RunCli({"--version"}).out, "corvalin-calc 1.0\n");
}

}  // namespace
