#include "cli/cli_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <tuple>

#include "cli/output_format.h"
#include "support/golden_table.h"

namespace {

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
        {{"8", std::string(39, '7') + "\xc3\xa9"}, "length '" + std::string(39, '7') + "...' is not a length"},
        {{std::string(50, '\x80'), "8"}, "width '...' is not a length"},
        {{"--bar", "oak", "8", "8"}, "unknown bar 'oak'"},
        {{"--bar"}, "'--bar' needs a value"},
        {{"--bar=pro", "--bar", "pro", "8", "8"}, "'--bar' is given twice"},
        {{"--sizes=yes"}, "'--sizes' takes no value"},
        {{"--table=tsv"}, "'--table' takes no value"},
        {{"--help=me"}, "'--help' takes no value"},
        {{"-h=1"}, "'-h' takes no value"},
        {{"--version=2"}, "'--version' takes no value"},
        {{"abc", "8"}, "width 'abc' is not a length (a number, in inches unless mm, cm or in follows it)"},
        {{"8 in", "8"}, "width '8 in' is not a length"},
        {{"8ft", "8"}, "width '8ft' is not a length"},
        {{"8", "280mmm"}, "length '280mmm' is not a length"},
        {{"8", "1e2"}, "length '1e2' is not a length"},
        {{"8", "."}, "length '.' is not a length"},
        {{"1.2.3", "8"}, "width '1.2.3' is not a length"},
        {{"0", "8"}, "width '0' is out of range (above 0 and at most 1000 in or 25400 mm)"},
        {{"0.0mm", "8"}, "width '0.0mm' is out of range"},
        {{"8", "1000.5"}, "length '1000.5' is out of range"},
        {{"8", "1000.00000000000000000001"}, "length '1000.00000000000000000001' is out of range"},
        {{"8", "25400.000001mm"}, "length '25400.000001mm' is out of range"},
        {{"8", "2540.0000001CM"}, "length '2540.0000001CM' is out of range"},
        {{"-5", "8"}, "width '-5' is out of range"},
        {{"8", "-5mm"}, "length '-5mm' is out of range"},
        {{"--", "--help", "8"}, "width '--help' is not a length"},
        {{"--dpi", "0", "8", "8"}, "--dpi '0' is not a whole number from 1 to 10000"},
        {{"--dpi=10001", "8", "8"}, "--dpi '10001'"},
        {{"--dpi", "many", "8", "8"}, "--dpi 'many'"},
        {{"--sizes", "8"}, "unexpected argument '8'"},
        {{"--sizes", "--table"}, "'--sizes' and '--table' cannot be combined"},
        {{"--orders", "o.csv", "--table"}, "'--orders' and '--table' cannot be combined"},
        {{"--orders", "o.csv", "--bar", "pro"}, "'--bar' does not go with '--orders'"},
        {{"--orders", "o.csv", "--count", "2"}, "'--count' does not go with '--orders'"},
        {{"--orders", "o.csv", "--dpi", "300"}, "'--dpi' does not go with '--orders'"},
        {{"--orders", "o.csv", "8", "8"}, "unexpected argument '8'"},
        {{"--sizes", "--gap", "1"}, "'--gap' does not go with '--sizes'"},
        {{"--count", "0", "8", "8"}, "--count '0' is not a whole number from 1 to 10000"},
        {{"--count=10001", "8", "8"}, "--count '10001'"},
        {{"--count", "2.5", "8", "8"}, "--count '2.5'"},
        {{"--gap", "10.00001", "8", "8"}, "--gap '10.00001' is out of range (from 0 and at most 10 in or 254 mm)"},
        {{"--gap", "254.000001mm", "8", "8"}, "--gap '254.000001mm' is out of range"},
        {{"--margin", "-1", "8", "8"}, "--margin '-1' is out of range"},
        {{"--margin", "1/2", "8", "8"}, "--margin '1/2' is not a length"},
        {{"--sizes", "--format", "csv"}, "'--format' does not go with '--sizes'"},
        {{"--table", "--format", "xls"}, "unknown format 'xls' (use text, tsv, csv or md)"},
        {{"--table", "--format", "Text"}, "the table is tsv, csv or md, not text"},
        {{"--units", "ft", "8", "8"}, "unknown unit 'ft' (use in, mm or cm)"},
        {{"--sizes", "--units", "mm"}, "'--units' does not go with '--sizes'"},
        {{"--roll", "30", "8", "8"},
         "--roll '30' is not a standard roll width (17, 24, 36, 42, 44, 50, 54, 60, 64) nor all"},
        {{"--roll", "every", "8", "8"}, "--roll 'every' is not a standard roll width"},
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

// A size is taken exactly, however many digits it has, and rounded up once
// to 0.00001 in (or, with mm and cm, to a nanometre): the size shown is the
// size the figures are for, never less than the size typed.
TEST(CorvalinCalcCli, ShowsEachSizeAsTakenRoundedUpOnce) {
    const std::tuple<std::string, const char*, const char*> sizes[] = {
        {"5.", "in", "5"},
        {"0008.50", "in", "8.5"},
        {"8." + std::string(100000, '0'), "in", "8"},
        {"8.00000000000000009", "in", "8.00001"},
        {"8." + std::string(100000, '0') + "1", "in", "8.00001"},
        {"203.2MM", "in", "8"},
        {"20.32cm", "in", "8"},
        {"8In", "mm", "203.2"},
        // 280 / 25.4 = 11.023622..., up.
        {"280mm", "in", "11.02363"},
        {"280mm", "mm", "280"},
        {"280mm", "cm", "28"},
        // 2.54 nm, up.
        {"0.0000001", "mm", ".000003"},
    };
    for (const auto& [size, unit, shown] : sizes) {
        const CliRun run = RunCli({"--units", unit, "9", size});
        const std::string head = run.out.substr(0, run.out.find('\n'));
        EXPECT_EQ(head.substr(head.find(" x ") + 3), std::string(shown) + " " + unit) << size.substr(0, 40);
        const bool stock = std::string(shown) == "8" || std::string(shown) == "203.2";
        const std::string note = std::string("note: ") + shown +
                                 (unit == std::string("in") ? "" : std::string(" ") + unit) + " is not a stock size";
        EXPECT_EQ(run.err.find(note) != std::string::npos, !stock) << run.err;
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
    for (const auto& args : std::vector<std::vector<std::string>>{{"--dpi", "1", "8", "8"},
                                                                  {"--dpi=96", "8", "8"},
                                                                  {"0.5", "1000"},
                                                                  {"25400mm", "2540CM"},
                                                                  {"--", "8", "8"},
                                                                  {"--count", "10000", "--gap", "10", "8", "8"},
                                                                  {"--gap", "0", "--margin", "254mm", "8", "8"}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 0) << Shown(args) << run.err;
    }
    EXPECT_NE(RunCli({"0.5", "1000"}).out.find("Regular wrap    3        1002.5   none       17\n"),
              std::string::npos);
    EXPECT_NE(RunCli({"--dpi=10000", "8", "8"}).out.find("Pixels at 10000 dpi"), std::string::npos);
}

// The pixels cover the canvas as shown.
TEST(CorvalinCalcCli, GivesThePixelsThatCoverTheShownCanvas) {
    EXPECT_NE(RunCli({"--dpi", "300", "8.02", "8"}).out.find("10.52    10.5     13 x 19    17        3156 x 3150\n"),
              std::string::npos);
    EXPECT_NE(RunCli({"--dpi", "3", "8", "8"}).out.find("17        32 x 32\n"), std::string::npos);
    EXPECT_NE(RunCli({"--dpi", "1", "8", "8"}).out.find("17        11 x 11\n"), std::string::npos);
    // 3.000001 in shows as 3.00001, 3.00001 pixels at 1 dpi.
    EXPECT_NE(RunCli({"--dpi", "1", ".500001", "8"}).out.find("3.00001  10.5     8.5 x 11   17        4 x 11\n"),
              std::string::npos);
    // 7.00000049 in shows as 7.00001: canvases of 9.50001 and 10.50001 in,
    // 95000.1 and 105000.1 pixels at 10000 dpi, both rounded up alike.
    EXPECT_NE(RunCli({"--dpi", "10000", "--bar", "standard", "7.00000049", "10"})
                  .out.find("Regular wrap    9.50001   12.5     13 x 19    17        95001 x 125000\n"
                            "Staple method   10.50001  13.5     13 x 19    17        105001 x 135000\n"),
              std::string::npos);
}

TEST(CorvalinCalcCli, ListsTheSizesOfEachBar) {
    EXPECT_EQ(RunCli({"--sizes", "--bar", "standard"}).out, "Corvalin 1.25\": 8 9 10 11 12 13 14 15 16 17 18 19\n");
}

// Millimetres and centimetres show every nanometre: 8.00001 in is 203.200254 mm.
TEST(CorvalinCalcCli, GivesMetricLengthsExactlyAndSheetsByName) {
    EXPECT_EQ(RunCli({"--units", "mm", "8.00001", "8"}).out,
              "Corvalin 1.25\", finished size 203.200254 x 203.2 mm\n"
              "\n"
              "                Width       Length   Sheet                       Roll\n"
              "Regular wrap    266.700254  266.7    13 x 19 (330.2 x 482.6 mm)  17 (431.8 mm)\n"
              "Staple method   292.100254  292.1    13 x 19 (330.2 x 482.6 mm)  17 (431.8 mm)\n");
    // 5.01 in is 12.7254 cm; 2 x 1.25 in adds 6.35 cm.
    EXPECT_EQ(RunCli({"--units=CM", "--format", "tsv", "--bar", "standard", "5.01", "8.5"}).out,
              GoldenLines("no row starts so") +
                  "Standard125\t12.7254\t21.59\t19.0754\t27.94\t21.6154\t30.48\t8.5 x 11 (21.59 x 27.94 cm)\t"
                  "13 x 19 (33.02 x 48.26 cm)\t17 (43.18 cm)\t17 (43.18 cm)\n");
    // 280 mm and 2 x 1.25 in: 343.5 mm; 0.0000001 in is 3 nm rounded up.
    EXPECT_NE(RunCli({"--units", "mm", "--bar", "standard", "280mm", "0.0000001"})
                  .out.find("Regular wrap    343.5    63.500003  "),
              std::string::npos);
}

// A size typed in millimetres or centimetres that is a whole number of
// 0.00001 in gives what the same size in inches gives, a stock size's golden
// row included; and back in millimetres it is the millimetres typed.
TEST(CorvalinCalcCli, TakesMetricSizesAsTheInchesTheyAre) {
    EXPECT_EQ(RunCli({"--format", "tsv", "--bar", "pro", "279.4mm", "60.96CM"}).out,
              RunCli({"--format", "tsv", "--bar", "pro", "11", "24in"}).out);
    EXPECT_EQ(RunCli({"--format", "tsv", "--bar", "pro", "279.4mm", "60.96CM"}).out,
              GoldenLines("Pro175\t11\t24\t"));
    const CliRun metric = RunCli({"--format", "csv", "--units", "mm", "--bar", "prenotched", "280mm", "355.6mm"});
    EXPECT_EQ(metric.out.substr(metric.out.find("\r\n") + 2, 22), "PreNotched,280,355.6,,");
    EXPECT_EQ(metric.err, "corvalin-calc: note: 280 mm is not a stock size for Pre-Notched Stretcher Bars\n");
}

// What is shown is what is decided: the sheet, the roll, the plan and the
// resolution come from the canvas shown, which is never less than the true one.
TEST(CorvalinCalcCli, DecidesFromTheCanvasItShows) {
    // 11.000001 + 6 in shows as 17.00001: over the 17 roll and the sheet's 17.
    EXPECT_NE(RunCli({"--bar", "prenotched", "14", "11.000001"})
                  .out.find("Staple method   20       17.00001  none       24\n"),
              std::string::npos);
    EXPECT_NE(RunCli({"--roll", "17", "14.5000019", "14.5000019"})
                  .out.find("Regular wrap    17.00001  17.00001  none       24\n"),
              std::string::npos);
    EXPECT_NE(RunCli({"--roll", "17", "14.5000019", "14.5000019"})
                  .out.find("Regular wrap    17    too narrow for this canvas\n"),
              std::string::npos);
    // 28.968941573766 + 2.5 = 31.468941573766 in, shown as 31.46895.
    EXPECT_NE(RunCli({"--bar", "standard", "28.968941573766", "16"}).out.find("Regular wrap    31.46895  18.5 "),
              std::string::npos);
    // 57.5000001 + 2.5 in shows as 60.00001: 9000 pixels over it are
    // 149.99997 ppi, below 150, and warned of.
    const CliRun sharp = RunCli({"--pixels", "36415x9000", "--bar", "standard", "237.55", "57.5000001"});
    EXPECT_NE(sharp.out.find("Regular wrap    149.9 ppi"), std::string::npos);
    EXPECT_NE(sharp.err.find("Regular wrap: the image prints at 149.9 ppi, below the minimum of 150 ppi\n"),
              std::string::npos);
}

TEST(CorvalinCalcCli, PlansTheRollInEachForm) {
    EXPECT_EQ(RunCli({"--roll-plan", "--bar", "pro", "60", "60"}).out,
              "Corvalin Pro 1.75\", finished size 60 x 60 in\n"
              "\n"
              "                Width    Length   Sheet      Roll\n"
              "Regular wrap    63.5     63.5     none       64\n"
              "Staple method   64.5     64.5     none       none\n"
              "\n"
              "Roll plan       Roll  Across  Roll used  Side by side  Waste %  Canvases  Rows\n"
              "Regular wrap    64    width   63.5       1             .8       1         1\n"
              "Staple method   none  no standard roll is wide enough\n");
    const std::string csv =
        RunCli({"--roll", "36.0", "--units", "mm", "--format", "csv", "--bar", "pre-notched", "23", "31"}).out;
    EXPECT_EQ(csv.substr(csv.find(",regularPlanRoll")),
              ",regularPlanRoll,regularAcross,regularRollUsed,regularSideBySide,regularWaste,"
              "staplePlanRoll,stapleAcross,stapleRollUsed,stapleSideBySide,stapleWaste,count,regularRows,stapleRows\r\n"
              "PreNotched,584.2,787.4,,,736.6,939.8,,none,,36 (914.4 mm),,,,,,36 (914.4 mm),width,939.8,1,19.5,"
              "1,,1\r\n");
    // A plan that does not apply leaves every plan field empty.
    const std::string narrow = RunCli({"--roll", "24", "--format", "csv", "--bar", "pro", "24", "36"}).out;
    EXPECT_EQ(narrow.substr(narrow.find("\r\n") + 2),
              "Pro175,24,36,27.5,39.5,28.5,40.5,none,none,36,36,24,,,,,24,,,,,1,,\r\n");
}

// The order on the roll; the help's "Planning the roll" checks its other
// figures. Six 8 x 8 canvases (10.5 in square) side by side on the 64 roll
// waste 1 - 661.5 / 672 = 1.6%, where one alone wastes 83.6%.
TEST(CorvalinCalcCli, PlansTheWholeOrder) {
    EXPECT_NE(RunCli({"--roll", "64", "--bar", "standard", "8", "8"})
                  .out.find("Regular wrap    64    width   10.5       6             83.6     1         1\n"),
              std::string::npos);
    EXPECT_NE(RunCli({"--roll", "64", "--count", "6", "--bar", "standard", "8", "8"})
                  .out.find("Regular wrap    64    width   10.5       6             1.6      6         1\n"),
              std::string::npos);
    // Without --roll, the narrowest roll that holds one canvas with its
    // margins: 10.5 + 2 x 3.25 = 17 fits the 17 roll exactly, 3.26 does not.
    EXPECT_NE(RunCli({"--margin", "3.25", "8", "10"}).out.find("Regular wrap    17    width   12.5"),
              std::string::npos);
    EXPECT_NE(RunCli({"--margin", "3.26", "8", "10"}).out.find("Regular wrap    24    length  10.5"),
              std::string::npos);
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
    EXPECT_NE(notched.find("Rows\nRegular wrap    does not apply to pre-notched bars\n"), std::string::npos);
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
