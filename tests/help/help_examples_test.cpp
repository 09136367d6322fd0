// The help's worked examples: every result, sum and comparison in them is
// checked against the calculation, the command-line examples against what
// the command prints, and what the print file's page says of the files it
// makes against the files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include "cli/calc_cli.h"
#include "support/golden_table.h"

// res/help/examples.html, cli.html, choosing.html, resolution.html, planning.html and printfile.html
extern const char* const kHelpExamples;
extern const char* const kHelpCommandLine;
extern const char* const kHelpChoosing;
extern const char* const kHelpResolution;
extern const char* const kHelpPlanning;
extern const char* const kHelpPrintFile;

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

// An arithmetic claim as the pages write one: numbers joined by +, -, x and
// / (x and / first), compared by =, &lt;, &gt;, &lt;= or &gt;=, as in
// "3000 + 250 + 250 = 3500" or "4 x 800 &lt; 3700 &lt;= 5 x 800". True
// when it is well formed and every comparison holds exactly.
bool Holds(const std::string& claim) {
    std::istringstream words(claim);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.size() % 2 == 0) return false;
    for (size_t i = 0; i < w.size(); i += 2) {
        if (w[i].find_first_not_of("0123456789.") != std::string::npos) return false;
    }
    std::vector<long double> sides;
    std::vector<std::string> relations;
    long double sum = 0, term = ParseNumber(w[0]);
    for (size_t i = 1; i < w.size(); i += 2) {
        const long double next = ParseNumber(w[i + 1]);
        if (w[i] == "x") {
            term *= next;
        } else if (w[i] == "/") {
            term /= next;
        } else if (w[i] == "+" || w[i] == "-") {
            sum += term;
            term = w[i] == "+" ? next : -next;
        } else {
            sides.push_back(sum + term);
            relations.push_back(w[i]);
            sum = 0;
            term = next;
        }
    }
    sides.push_back(sum + term);
    for (size_t i = 0; i < relations.size(); ++i) {
        const long double a = sides[i], b = sides[i + 1];
        const std::string& r = relations[i];
        const bool holds = r == "=" ? a == b
                           : r == "&lt;" ? a < b
                           : r == "&gt;" ? a > b
                           : r == "&lt;=" ? a <= b
                                          : r == "&gt;=" && a >= b;
        if (!holds) return false;
    }
    return !relations.empty();
}

// The texts of the page's spans of a class, `<span class="CLASS">`.
std::vector<std::string> SpansOf(const std::string& page, const std::string& kind) {
    std::vector<std::string> texts;
    for (size_t at = 0;;) {
        std::string text = Next(page, at, "class=\"" + kind + "\">", "<");
        if (at == page.size()) break;
        texts.push_back(text);
    }
    return texts;
}

// Every sum and comparison of a page holds.
void ExpectArithmeticHolds(const std::string& page) {
    for (const char* kind : {"sum", "compare"}) {
        for (const std::string& claim : SpansOf(page, kind)) EXPECT_TRUE(Holds(claim)) << claim;
    }
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
    }
    ExpectArithmeticHolds(page);
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

// An example's image, `<span class="image" data-name="NAME.jpg">W x H
// pixels</span>`: an RGB JPEG of that size in smooth shades, written with
// libjpeg itself, which states 300 dpi, a resolution the print file shows
// and does not use.
void WriteExampleImage(const std::filesystem::path& path, const std::string& size) {
    JDIMENSION wide = 0, high = 0;
    std::string times, unit;
    std::istringstream(size) >> wide >> times >> high >> unit;
    ASSERT_TRUE(times == "x" && unit == "pixels" && path.extension() == ".jpg") << path << ": " << size;
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    ASSERT_TRUE(file) << path;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = wide, info.image_height = high;
    info.input_components = 3, info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    info.density_unit = 1, info.X_density = info.Y_density = 300;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(wide * 3);
    for (JDIMENSION y = 0; y < high; ++y) {
        for (JDIMENSION x = 0; x < wide; ++x) {
            row[3 * x] = static_cast<JSAMPLE>(x * 255 / wide);
            row[3 * x + 1] = static_cast<JSAMPLE>(y * 255 / high);
            row[3 * x + 2] = 128;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    ASSERT_EQ(std::fclose(file), 0) << path;
}

// What a file an example made holds, in the page's words: "W x H pixels",
// then the resolution it states, " at R ppi" in a TIFF's tags, " at R dpi"
// in a JPEG's JFIF density, " at R pixels per metre" in a PNG's pHYs (the
// vertical one after a slash where it differs; another unit by its code).
std::string FileFacts(const std::string& name) {
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) return "no file " + name;
    uint32_t wide = 0, high = 0;
    std::ostringstream resolution;
    const auto states = [&resolution](auto x, auto y, bool known, const char* unit, int code) {
        resolution << " at " << x;
        if (y != x) resolution << '/' << y;
        if (known) {
            resolution << ' ' << unit;
        } else {
            resolution << " in unit " << code;
        }
    };
    const std::string kind = name.substr(name.rfind('.') + 1);
    if (kind == "tif") {
        TIFF* tiff = TIFFOpen(name.c_str(), "r");
        float x = 0, y = 0;
        uint16_t unit = 0;
        TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &wide);
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &high);
        if (TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &x) && TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &y)) {
            TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
            states(x, y, unit == RESUNIT_INCH, "ppi", unit);
        }
        TIFFClose(tiff);
    } else if (kind == "jpg") {
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        jpeg_read_header(&info, TRUE);
        wide = info.image_width, high = info.image_height;
        if (info.saw_JFIF_marker) states(info.X_density, info.Y_density, info.density_unit == 1, "dpi", info.density_unit);
        jpeg_destroy_decompress(&info);
    } else if (kind == "png") {
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, file);
        png_read_info(png, info);
        wide = png_get_image_width(png, info), high = png_get_image_height(png, info);
        png_uint_32 x, y;
        int unit;
        if (png_get_pHYs(png, info, &x, &y, &unit)) states(x, y, unit == PNG_RESOLUTION_METER, "pixels per metre", unit);
        png_destroy_read_struct(&png, &info, nullptr);
    }
    std::fclose(file);
    return std::to_string(wide) + " x " + std::to_string(high) + " pixels" + resolution.str();
}

// The files a page's examples read, `<pre class="file" data-name="NAME">`
// and the images, written to a folder of their own, which is the working
// folder while the guard lives; the folder goes and the working folder
// comes back after.
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
        for (size_t at = 0;;) {
            const std::string image = Next(page, at, "<span class=\"image\" data-name=\"", "</span>");
            if (at == page.size()) break;
            const size_t name = image.find("\">");
            WriteExampleImage(folder_ / image.substr(0, name), image.substr(name + 2));
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

// How much of a page's prose is held to what its examples show: none of it;
// all of it (the pages about bars, resolution and the roll); or its worked
// examples, `<div class="worked">`, on the page about the print file.
enum class Prose { Free, Checked, WorkedChecked };

std::string ProseOf(const std::string& page, Prose checked) {
    if (checked != Prose::WorkedChecked) return page.substr(page.find("<body>"));
    std::string worked;
    for (size_t at = 0; at < page.size();) worked += Next(page, at, "<div class=\"worked\">", "</div>");
    return worked;
}

// Each example shows what a terminal does: the standard output, then the
// standard error, with the exit status 0 unless data-status says another.
// What the page says of the files its examples make is what those files
// hold, and its sums hold. Where its prose is checked, it quotes no number
// that its examples (or the files they read), its sums or what it says of
// the files do not show.
TEST(Help, CommandLineExamplesAreWhatTheCommandPrints) {
    const std::pair<std::string, Prose> pages[] = {{kHelpCommandLine, Prose::Free},
                                                   {kHelpChoosing, Prose::Checked},
                                                   {kHelpResolution, Prose::Checked},
                                                   {kHelpPlanning, Prose::Checked},
                                                   {kHelpPrintFile, Prose::WorkedChecked}};
    for (const auto& [page, checked] : pages) {
        const ExampleFiles files(page);
        std::string prose = ProseOf(page, checked);
        const auto leaveOut = [&prose](const std::string& text) {
            const size_t at = prose.find(text);
            if (at != std::string::npos) prose.erase(at, text.size());
        };
        std::string printed;
        for (const std::string& text : files.shown()) {
            leaveOut(text);
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
            leaveOut(shown);
            ++examples;
        }
        EXPECT_GE(examples, 3) << page.substr(page.find("<h1>"), 40);
        for (size_t at = 0;;) {
            const std::string claim = Next(page, at, "<span class=\"file\" data-name=\"", "</span>");
            if (at == page.size()) break;
            const size_t name = claim.find("\">");
            EXPECT_EQ(FileFacts(claim.substr(0, name)), claim.substr(name + 2));
            printed += ' ' + claim;
        }
        ExpectArithmeticHolds(page);
        for (const char* kind : {"sum", "compare"}) {
            for (const std::string& claim : SpansOf(page, kind)) printed += ' ' + claim;
        }
        for (size_t tag = prose.find('<'); tag != std::string::npos; tag = prose.find('<', tag)) {
            prose.erase(tag, prose.find('>', tag) + 1 - tag);
        }
        for (const std::string& number : checked == Prose::Free ? std::set<std::string>() : NumbersIn(prose)) {
            EXPECT_EQ(NumbersIn(printed).count(number), 1u) << number << " in " << page.substr(page.find("<h1>"), 40);
        }
    }
}

}  // namespace
