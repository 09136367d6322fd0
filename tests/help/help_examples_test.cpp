// The help's worked examples: every result, sum and comparison in them is
// checked against the calculation, and the command-line example against
// what the command prints.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "cli/calc_cli.h"
#include "support/golden_table.h"

// res/help/examples.html, cli.html, choosing.html, resolution.html and planning.html
extern const char* const kHelpExamples;
extern const char* const kHelpCommandLine;
extern const char* const kHelpChoosing;
extern const char* const kHelpResolution;
extern const char* const kHelpPlanning;

namespace {

// The text from after `open` to `close`, looked for from `at`, which moves
// past it; empty with `at` at the end when there is none.
std::string Next(const std::string& page, size_t& at, const std::string& open, const std::string& close) {
    const size_t start = page.find(open, at);
    const size_t end = start == std::string::npos ? start : page.find(close, start + open.size());
    if (end == std::string::npos) {
        at = page.size();
        return std::string();
    }
    at = end + close.size();
    return page.substr(start + open.size(), end - start - open.size());
}

TEST(Help, WorkedExamplesAgreeWithTheCalculation) {
    const std::string page = kHelpExamples;
    std::set<BarType> bars;
    for (size_t at = 0; at < page.size();) {
        const std::string example = Next(page, at, "<div class=\"example\"", "</div>");
        if (example.empty()) break;
        size_t in = 0;
        const BarType bar = BarNamed(Next(example, in, "data-bar=\"", "\""));
        const Text width = Next(example, in, "data-width=\"", "\"");
        const WrapResults r = CalculateWrap(bar, width, Next(example, in, "data-length=\"", "\""));
        bars.insert(bar);
        const std::vector<Text> expected = ResultTexts(r);
        const char* const fields[] = {"regularWidth", "regularLength", "stapleWidth", "stapleLength",
                                      "regularSheet", "stapleSheet",   "regularRoll", "stapleRoll"};
        for (size_t i = 0; i < 8; ++i) {
            size_t cell = 0;
            EXPECT_EQ(Next(example, cell, std::string("data-of=\"") + fields[i] + "\">", "<"), expected[i])
                << fields[i] << " in " << example.substr(0, 60);
        }
        // "a + b + c = d" and "a &gt; b" or "a &lt;= b", in numbers that add up exactly.
        for (size_t sum = 0; sum < example.size();) {
            std::istringstream terms(Next(example, sum, "class=\"sum\">", "<"));
            long double total = 0;
            for (std::string term, sign = "+"; terms >> term; terms >> sign) {
                if (sign == "=") {
                    EXPECT_EQ(total, ParseNumber(term)) << term;
                }
                total += ParseNumber(term);
            }
        }
        for (size_t compare = 0; compare < example.size();) {
            std::istringstream claim(Next(example, compare, "class=\"compare\">", "<"));
            std::string left, relation, right;
            if (!(claim >> left >> relation >> right)) continue;
            EXPECT_TRUE(relation == "&gt;" ? ParseNumber(left) > ParseNumber(right)
                                           : relation == "&lt;=" && ParseNumber(left) <= ParseNumber(right))
                << left << ' ' << relation << ' ' << right;
        }
    }
    EXPECT_EQ(bars.size(), 3u) << "an example for each bar type";
}

// The number texts in `text`: digits with their points, none at the end.
std::set<std::string> NumbersIn(const std::string& text) {
    std::set<std::string> numbers;
    for (size_t at = text.find_first_of("0123456789"); at != std::string::npos;
         at = text.find_first_of("0123456789", at)) {
        const size_t end = text.find_first_not_of("0123456789.", at);
        numbers.insert(text.substr(at, text.find_last_not_of('.', end - 1) + 1 - at));
        at = end;
    }
    return numbers;
}

// The files a page's examples read, `<pre class="file" data-name="NAME">`,
// written to a folder of their own, which is the working folder while the
// guard lives; the folder goes and the working folder comes back after.
class ExampleFiles {
  public:
    explicit ExampleFiles(const std::string& page)
        : previous_(std::filesystem::current_path()),
          folder_(std::filesystem::path(testing::TempDir()) / "help-example-files") {
        std::filesystem::create_directories(folder_);
        for (size_t at = 0;;) {
            const std::string name = Next(page, at, "<pre class=\"file\" data-name=\"", "\">\n");
            if (at == page.size()) break;
            const std::string text = Next(page, --at, "\n", "</pre>");
            std::ofstream(folder_ / name, std::ios::binary) << text;
            shown_.push_back(text);
        }
        std::filesystem::current_path(folder_);
    }
    ~ExampleFiles() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }
    const std::vector<std::string>& shown() const { return shown_; }

  private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
    std::vector<std::string> shown_;
};

// Each example shows what a terminal does: the standard output, then the
// standard error, with the exit status 0 unless data-status says another.
// On the pages about bars, resolution and the roll, the prose quotes no
// number that its examples (or the files they read) do not show.
TEST(Help, CommandLineExamplesAreWhatTheCommandPrints) {
    const std::pair<std::string, bool> pages[] = {
        {kHelpCommandLine, false}, {kHelpChoosing, true}, {kHelpResolution, true}, {kHelpPlanning, true}};
    for (const auto& [page, proseChecked] : pages) {
        const ExampleFiles files(page);
        std::string prose = page.substr(page.find("<body>"));
        std::string printed;
        for (const std::string& text : files.shown()) {
            prose.erase(prose.find(text), text.size());
            printed += text;
        }
        int examples = 0;
        for (size_t at = 0;;) {
            std::string given = Next(page, at, "<pre class=\"cli\" data-args=\"", "\">\n");
            if (at == page.size()) break;
            const std::string shown = Next(page, --at, "\n", "</pre>");
            const size_t status = given.find("\" data-status=\"");
            const int expected = status == std::string::npos ? 0 : std::stoi(given.substr(status + 15));
            given = given.substr(0, status);
            std::istringstream args(given);
            std::vector<std::string> arguments;
            for (std::string arg; args >> arg;) arguments.push_back(arg);
            std::string out, err;
            EXPECT_EQ(RunCalculatorCli(arguments, out, err), expected) << given;
            EXPECT_EQ(out + err, shown) << given;
            printed += given + ' ' + shown;
            prose.erase(prose.find(shown), shown.size());
            ++examples;
        }
        EXPECT_GE(examples, 3) << page.substr(page.find("<h1>"), 40);
        for (size_t tag = prose.find('<'); tag != std::string::npos; tag = prose.find('<', tag)) {
            prose.erase(tag, prose.find('>', tag) + 1 - tag);
        }
        for (const std::string& number : proseChecked ? NumbersIn(prose) : std::set<std::string>()) {
            EXPECT_EQ(NumbersIn(printed).count(number), 1u) << number << " in " << page.substr(page.find("<h1>"), 40);
        }
    }
}

}  // namespace
