#include "cli/calc_cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/golden_table.h"

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunCli(std::vector<std::string> args) {
    std::ostringstream out, err;
    int status = RunCalculatorCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.push_back("");
    return parts;
}

TEST(CorvalinCalcCli, RejectsBadInputWithOneLineOnStderrAndStatus2) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"8"},
        {"8", "8", "8"},
        {"--frobnicate", "8", "8"},
        {"--bar", "oak", "8", "8"},
        {"--bar"},
        {"abc", "8"},
        {"8", "1e2"},
        {"8", "0"},
        {"8", "-5"},
        {"1000.5", "8"},
        {"8", ".", },
        {"--dpi", "0", "8", "8"},
        {"--dpi", "many", "8", "8"},
        {"--sizes", "8"},
        {"--sizes", "--table"},
        {"--format", "csv", "8", "8"},
        {"--table", "--format", "xls"},
        {"--table", "--dpi", "300"},
    };
    for (const auto& args : bad) {
        CliRun run = RunCli(args);
        std::string shown;
        for (const auto& arg : args) shown += arg + " ";
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << shown << run.err;
        EXPECT_NE(run.err.find("--help"), std::string::npos) << shown;
    }
}

TEST(CorvalinCalcCli, NamesWhatIsWrong) {
    EXPECT_NE(RunCli({"8", "abc"}).err.find("length 'abc' is not a number"), std::string::npos);
    EXPECT_NE(RunCli({"0", "8"}).err.find("width 0 is out of range"), std::string::npos);
    EXPECT_NE(RunCli({"--bar", "oak", "8", "8"}).err.find("unknown bar 'oak'"), std::string::npos);
    EXPECT_NE(RunCli({"8"}).err.find("missing LENGTH"), std::string::npos);
}

TEST(CorvalinCalcCli, PrintsBothWrapsForTheDefaultBar) {
    CliRun run = RunCli({"14", "19"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "Corvalin 1.25\" bars, finished size 14 x 19 in\n"
              "\n"
              "                Width    Length   Sheet      Roll\n"
              "Regular wrap    16.5     21.5     17 x 22    17\n"
              "Staple method   17.5     22.5     none       24\n");
}

TEST(CorvalinCalcCli, NotesSizesThatAreNotStockAndAddsPixelsAtTheDpi) {
    CliRun run = RunCli({"--bar", "prenotched", "--dpi", "300", "13", "17.25"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "Pre-Notched Stretcher Bars bars, finished size 13 x 17.25 in\n"
              "\n"
              "                Width    Length   Sheet      Roll      Pixels at 300 dpi\n"
              "Regular wrap    does not apply to pre-notched bars\n"
              "Staple method   19       23.25    none       24        5700 x 6975\n"
              "\n"
              "Note: 13 is not a stock size for Pre-Notched Stretcher Bars bars.\n"
              "Note: 17.25 is not a stock size for Pre-Notched Stretcher Bars bars.\n");
}

TEST(CorvalinCalcCli, ListsTheSizesOfEachBar) {
    CliRun all = RunCli({"--sizes"});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(Split(all.out, '\n').size(), 4u);
    EXPECT_EQ(RunCli({"--sizes", "--bar", "standard"}).out,
              "Corvalin 1.25\": 8 9 10 11 12 13 14 15 16 17 18 19\n");
}

TEST(CorvalinCalcCli, TableIsTheGoldenTable) {
    const CliRun run = RunCli({"--table"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kWrapTableText);
}

TEST(CorvalinCalcCli, TableFormats) {
    CliRun csv = RunCli({"--table", "--bar", "pro", "--format", "csv"});
    std::vector<std::string> lines = Split(csv.out, '\n');
    EXPECT_EQ(lines.size(), 1u + 24 * 24 + 1);
    EXPECT_EQ(lines[1], "Pro175,8,8,11.5,11.5,12.5,12.5,13 x 19,13 x 19,17,17");
    CliRun md = RunCli({"--table", "--bar", "prenotched", "--format", "md"});
    lines = Split(md.out, '\n');
    EXPECT_EQ(lines[1], "| --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- |");
    EXPECT_EQ(lines[2], "| PreNotched | 8 | 8 |  |  | 14 | 14 |  | 17 x 22 |  | 17 |");
}

TEST(CorvalinCalcCli, HelpAndVersionGoToStdout) {
    CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: corvalin-calc", 0), 0u);
    EXPECT_EQ(RunCli({"--version"}).out, "corvalin-calc 1.0\n");
}

}  // namespace
