// corvalin-calc --print-file from the command line: the options it takes and
// refuses, and what it says it made. The files themselves are the engine's
// tests' and, byte for byte on Windows, windows-bytes-test.sh's.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/progress.h"
#include "print/files.h"
#include "print/writers.h"

namespace {

// A grey PNG of the size, in the test's temporary folder; gone with the
// test, as is the print file beside it.
class Image {
public:
    Image(int64_t wide, int64_t high)
        : path_(testing::TempDir() + "print-" + testing::UnitTest::GetInstance()->current_test_info()->name() + ".png"),
          out_(path_ + ".tif") {
        std::string error;
        const std::vector<uint8_t> noProfile, row(wide, 0x80);
        const std::unique_ptr<RowSink> sink = WritePng(OpenFile(path_, "wb"), {wide, high, {ColorKind::Grey, false, 8},
                                                                              &noProfile, {72, 1}}, error);
        for (int64_t y = 0; sink && y < high; ++y) sink->WriteRow(row.data());
        EXPECT_TRUE(sink && sink->Finish()) << error;
    }
    ~Image() {
        std::remove(path_.c_str());
        std::remove(out_.c_str());
    }
    CliRun Print(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--print-file", path_, "--out", out_});
        return RunCli(args);
    }
    const std::string& out() const { return out_; }

private:
    std::string path_, out_;
};

TEST(PrintFileCli, RefusesWhatCannotMakeAPrintFileBeforeReadingTheImage) {
    const std::pair<std::vector<std::string>, std::string> bad[] = {
        {{"--print-file", "a.jpg", "8", "10"}, "'--print-file' needs '--out FILE'"},
        {{"--print-file", "a.jpg", "--out", "b.tif", "8"}, "missing LENGTH"},
        {{"--out", "b.tif", "8", "10"}, "'--out' goes with '--print-file'"},
        {{"--edge", "mirror", "8", "10"}, "'--edge' goes with '--print-file'"},
        {{"--print-file", "a.jpg", "--out", "b.tif", "--dpi", "300", "8", "10"}, "'--dpi' does not go with"},
        {{"--print-file", "a.jpg", "--out", "b.tif", "--edge", "blur", "8", "10"}, "unknown edge 'blur'"},
        {{"--print-file", "a.jpg", "--out", "b.tif", "--edge", "solid:", "8", "10"}, "unknown edge 'solid:'"},
        {{"--print-file", "a.jpg", "--out", "b.tif", "--preview", "p.tif", "8", "10"},
         "p.tif: the preview is a PNG: its name must end in .png"},
        {{"--print-file", "a.jpg", "--out", "b.tif", "--method", "glue", "8", "10"}, "unknown method 'glue'"},
        {{"--print-file", "a.jpg", "--out", "b.tif", "--compression", "zip", "8", "10"}, "unknown compression"},
        {{"--print-file", "a.jpg", "--out", "b.jpg", "--quality", "0", "8", "10"}, "--quality '0' is not"},
        {{"--print-file", "a.jpg", "--out", "b.tif", "--mark-margin", "5mm", "8", "10"},
         "'--mark-margin' goes with '--marks'"},
        {{"--print-file", "a.jpg", "--orders", "o.csv"}, "'--print-file' and '--orders' cannot be combined"},
    };
    for (const auto& [args, why] : bad) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << why;
        EXPECT_TRUE(run.out.empty()) << why;
        EXPECT_NE(run.err.find(why), std::string::npos) << run.err;
    }
    EXPECT_EQ(RunCli({"--print-file", "a.jpg", "--out", "b.tif", "--bar", "prenotched", "--method", "regular", "8",
                      "10"})
                  .err,
              "corvalin-calc: Pre-Notched Stretcher Bars take only the staple method: give '--method staple'\n");
}

// 300 x 200 pixels over 15 x 10 in: 20 ppi either way, nothing cropped.
// Standard bars: each side 1.25 x 20 = 25 pixels; the staple method's
// turn-over 1 / 2 x 20 = 10 beyond it. The file is 300 + 2 x 35 = 370 by
// 200 + 70 = 270, the face at 35, 35, the turn-over folded 10 in. The
// canvas: 15 + 2 x 1.25 + 1 = 18.5 by 13.5 in. The image says 72 ppi: a
// PNG's 2835 pixels a metre, 72.009 ppi, shown rounded down to 0.1.
TEST(PrintFileCli, SaysWhatTheFileHoldsAndWarnsOfALowResolution) {
    const Image image(300, 200);
    const CliRun run = image.Print({"--method", "staple", "15", "10"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Corvalin 1.25\", staple method, finished size 15 x 10 in, mirrored edges\n\n"
                       "Image       " + image.out().substr(0, image.out().size() - 4) +
                           ": 300 x 200 pixels, stated 72 ppi, cropped: nothing\n"
                       "Print file  " + image.out() + ": 370 x 270 pixels at 20 ppi, for a canvas of 18.5 x 13.5 in\n"
                       "Front face  300 x 200 pixels at 35, 35\n"
                       "Turn-over   folded at 10 and 10 pixels in from the left and top\n");
    EXPECT_EQ(run.err, "corvalin-calc: warning: the image prints at 20 ppi, below the minimum of 150 ppi\n");
    FILE* made = OpenFile(image.out(), "rb");
    EXPECT_NE(made, nullptr);
    if (made) std::fclose(made);
    // The pro bar's 1.75 in over 381 x 254 mm (15 x 10 in), said in mm; the
    // 310 pixels across give 20.66 ppi, the 200 down 20: 10 cropped off the
    // width, 35 pixels each side, and no warning below 20.
    const Image wider(310, 200);
    const CliRun metric = wider.Print({"--bar", "pro", "--units", "mm", "--min-ppi", "20", "381mm", "254mm"});
    ASSERT_EQ(metric.status, 0) << metric.err;
    EXPECT_NE(metric.out.find("finished size 381 x 254 mm, mirrored"), std::string::npos) << metric.out;
    EXPECT_NE(metric.out.find(": 310 x 200 pixels, stated 72 ppi, cropped: width 10\n"), std::string::npos) << metric.out;
    EXPECT_NE(metric.out.find(": 370 x 270 pixels at 20 ppi, for a canvas of 469.9 x 342.9 mm\n"), std::string::npos)
        << metric.out;
    EXPECT_EQ(metric.err.find("warning"), std::string::npos) << metric.err;
}

// A long run on a terminal: one line rewritten in place with the whole
// percentage of rows written, written again only when that changes, and
// ended once. The file's name escaped like every name the program echoes.
TEST(PrintFileProgress, RewritesOneLineAsThePercentageRisesAndEndsIt) {
    const std::string path = testing::TempDir() + "progress.txt";
    std::FILE* terminal = OpenFile(path, "w+b");
    ASSERT_NE(terminal, nullptr);
    Progress progress("print\x1b.tif", terminal, std::time(nullptr) - 3);
    for (const int64_t row : {0, 5, 199, 200, 600}) Progress::Report(row, 600, &progress);
    progress.End();
    progress.End();
    std::rewind(terminal);
    char shown[200] = {};
    const size_t length = std::fread(shown, 1, sizeof shown, terminal);
    std::fclose(terminal);
    std::remove(path.c_str());
    EXPECT_EQ(std::string(shown, length),
              "\rcorvalin-calc: writing print\\x1B.tif: 0%\rcorvalin-calc: writing print\\x1B.tif: 33%"
              "\rcorvalin-calc: writing print\\x1B.tif: 100%\n");
}

}  // namespace
