// Orders from a file: a row each, the roll they take in all, and each line
// that cannot be used named with its file and line, the others planned.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <tuple>

#include "cli/cli_run.h"

namespace {

// A file of the test's own, removed when the test ends, pass or fail.
class OrdersFile {
  public:
    explicit OrdersFile(const std::string& text)
        : path_(testing::TempDir() + "orders-" + testing::UnitTest::GetInstance()->current_test_info()->name() +
                std::to_string(++made_) + ".csv") {
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~OrdersFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

    CliRun Plan(std::vector<std::string> options) const {
        options.insert(options.begin(), {"--orders", path_});
        return RunCli(options);
    }

  private:
    static inline int made_ = 0;
    std::string path_;
};

// Worked by hand, each on the narrowest roll that holds one canvas:
// line 2, 10.5 x 12.5 on 17: one a row either way, 12.5 across takes 6 x
// 10.5 = 63; 1 - 787.5 / 1071 = 26.5%.
// line 3, 20.5 x 24.5 on 24: only 20.5 across, 2 x 24.5 = 49;
// 1 - 1004.5 / 1176 = 14.6%.
// line 4, pre-notched, so stapled: 30 x 36 on 36: 4 x 30 = 120, no waste.
// line 5, 280 mm is 11.02363 in shown, 13.52363 x 13.5 on 17: 13.52363
// across takes 3 x 13.5 = 40.5; 1 - 547.707015 / 688.5 = 20.5%.
const char* const kOrders =
    "Bar,Width,Length,Count,Method\n"
    "standard,8,10,6,regular\n"
    "pro,\"16\",20in,2, Staple\n"
    "prenotched,24,30,4,\n"
    "standard,280mm,11,3,regular\n";

TEST(Orders, PlansEachOrderAndTotalsTheRollPerWidth) {
    const OrdersFile file(kOrders);
    const CliRun csv = file.Plan({"--format", "csv"});
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.err, "");
    EXPECT_EQ(csv.out,
              "line,bar,width,length,count,method,canvasWidth,canvasLength,planRoll,across,rollUsed,sideBySide,"
              "waste,rows\r\n"
              "2,Standard125,8,10,6,regular,10.5,12.5,17,length,63,1,26.5,6\r\n"
              "3,Pro175,16,20,2,staple,20.5,24.5,24,width,49,1,14.6,2\r\n"
              "4,PreNotched,24,30,4,staple,30,36,36,length,120,1,0,4\r\n"
              "5,Standard125,11.02363,11,3,regular,13.52363,13.5,17,width,40.5,1,20.5,3\r\n"
              "total,,,,9,,,,17,,103.5,,,\r\n"
              "total,,,,2,,,,24,,49,,,\r\n"
              "total,,,,4,,,,36,,120,,,\r\n");
    // The same file with CRLF line ends and its columns in another order.
    const OrdersFile crlf("count,method,length,width,bar\r\n6,regular,10,8,standard\r\n");
    EXPECT_EQ(crlf.Plan({"--format", "tsv"}).out,
              "line\tbar\twidth\tlength\tcount\tmethod\tcanvasWidth\tcanvasLength\tplanRoll\tacross\trollUsed\t"
              "sideBySide\twaste\trows\n"
              "2\tStandard125\t8\t10\t6\tregular\t10.5\t12.5\t17\tlength\t63\t1\t26.5\t6\n"
              "total\t\t\t\t6\t\t\t\t17\t\t63\t\t\t\n");
}

// On every roll, with gaps and margins in millimetres: six 10.5 in squares
// with 5 mm between them and 10 mm at each edge. On the 64 roll (1625.6
// mm) 1605.6 mm are usable, (1605.6 + 5) / (266.7 + 5) = 5.9: 5 across, 2
// rows, 2 x 266.7 + 5 = 538.4 mm; 1 - 6 x 266.7^2 / (1625.6 x 538.4) = 51.24%.
// A row and a total for each of the nine rolls.
TEST(Orders, PlansEveryRollWithGapsAndMarginsInTheUnitAsked) {
    const OrdersFile file("bar,width,length,count\nstandard,8,8,6\n");
    const CliRun md =
        file.Plan({"--roll", "all", "--units", "mm", "--gap", "5mm", "--margin", "1cm", "--format", "md"});
    EXPECT_EQ(md.status, 0);
    EXPECT_NE(md.out.find("| 2 | Standard125 | 203.2 | 203.2 | 6 | regular | 266.7 | 266.7 | 64 (1625.6 mm) | width | "
                          "538.4 | 5 | 51.3 | 2 |\n"),
              std::string::npos);
    EXPECT_NE(md.out.find("| total |  |  |  | 6 |  |  |  | 64 (1625.6 mm) |  | 538.4 |  |  |  |\n"),
              std::string::npos);
    EXPECT_EQ(std::count(md.out.begin(), md.out.end(), '\n'), 2 + 9 + 9);
}

// Each line at fault is named with every field at fault, and left out; the
// others are planned; the status says something was refused.
TEST(Orders, NamesEachBadLineAndPlansTheRest) {
    const OrdersFile file(
        "width,length,count,bar\n"
        "8,10,x,standard\n"
        "8,10,2\n"
        "\"8\",10,1,standard\n"
        "0,1001,1,oak\n"
        "\n"
        "8,10,1,\x9b[31m\xe2\x80\xae\n"
        ",,,\n"
        "8,10,1,\"pro\"x\n"
        "8,10,1,prenotched\n"
        "8,10,1,\"standard\n");
    const CliRun run = file.Plan({"--format", "csv"});
    EXPECT_EQ(run.status, 2);
    const std::string at = "corvalin-calc: " + file.path() + ":";
    EXPECT_EQ(run.err,
              at + "2: count 'x' is not a whole number from 1 to 10000\n" +
              at + "3: 3 fields where the header has 4\n" +
              at + "5: unknown bar 'oak' (use standard, pro or prenotched)\n" +
              at + "5: width '0' is out of range (above 0 and at most 1000 in or 25400 mm)\n" +
              at + "5: length '1001' is out of range (above 0 and at most 1000 in or 25400 mm)\n" +
              at + "7: unknown bar '\\x9B[31m\\xE2\\x80\\xAE' (use standard, pro or prenotched)\n" +
              at + "9: text after a quoted field's closing quote\n" +
              at + "11: a quoted field is not closed\n");
    EXPECT_NE(run.out.find("\r\n4,Standard125,8,10,1,regular,"), std::string::npos);
    EXPECT_NE(run.out.find("\r\n10,PreNotched,8,10,1,staple,14,16,17,"), std::string::npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1 + 2 + 1);
}

TEST(Orders, RefusesAFileItCannotUseWithOneLine) {
    const std::pair<std::string, std::string> files[] = {
        {"bar,width,length,count,colour\nstandard,8,8,1,red\n",
         ":1: unknown column 'colour' (use bar, width, length, count and method)\n"},
        {"bar,width,length\nstandard,8,8\n", ":1: no column 'count'\n"},
        {"\xef\xbb\xbf" "bar,width,Bar,count\n", ":1: the column 'bar' is named twice\n"},
        {"", ": no header line naming the columns bar, width, length, count and method\n"},
        {"\r\n,,\r\n", ": no header line naming the columns bar, width, length, count and method\n"},
        {"bar,width,length,count,method\nprenotched,8,8,1,regular\npro,8,8,1,glue\n",
         ":2: the regular wrap does not apply to pre-notched bars\n"},
    };
    for (const auto& [text, problem] : files) {
        const OrdersFile file(text);
        const CliRun run = file.Plan({});
        EXPECT_EQ(run.status, 2) << problem;
        EXPECT_EQ(run.out, "") << problem;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), "corvalin-calc: " + file.path() + problem);
    }
    // The first 10,000 orders are planned, the rest refused.
    std::string many = "bar,width,length,count\n";
    for (int i = 0; i < 10001; ++i) many += "standard,8,8,1\n";
    const OrdersFile most(many);
    const CliRun first = most.Plan({"--format", "tsv"});
    EXPECT_EQ(first.status, 2);
    EXPECT_EQ(first.err, "corvalin-calc: " + most.path() +
                             ":10002: more than 10000 orders; split the file (the rest is left out)\n");
    EXPECT_EQ(std::count(first.out.begin(), first.out.end(), '\n'), 1 + 10000 + 1);
    // A header and nothing else refuses nothing, and says so.
    const OrdersFile header("bar,width,length,count\r\n");
    const CliRun none = header.Plan({});
    EXPECT_EQ(std::tuple(none.status, none.out, none.err),
              std::tuple(0, std::string(), "corvalin-calc: note: " + header.path() + " holds no orders\n"));
    const std::string missing = testing::TempDir() + "no-such-orders.csv";
    std::string out, err;
    EXPECT_EQ(RunCalculatorCli({"--orders", missing}, out, err), 2);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "corvalin-calc: " + missing + ": cannot read it: No such file or directory\n");
}

}  // namespace
