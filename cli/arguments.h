// corvalin-calc's command line read into what it asks for.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/canvas.h"
#include "cli/image_fit.h"
#include "cli/output_format.h"
#include "print/make_print_file.h"

enum class Mode { Calculate, Sizes, Table, Orders, PrintFile, Help, Version };

// What --print-file asks for besides the bar and the size.
struct PrintFileOptions {
    std::string image;  // the customer's image
    std::string out;    // the print file
    std::string preview;
    std::optional<WrapMethod> method;  // regular unless the bar takes only staples
    EdgeKind edge = EdgeKind::Mirror;
    std::string colour;  // for solid edges: hex, or "auto" (or empty) for the image's own
    bool marks = false;
    Nanometres markMargin = 0;
    TiffCompression compression = TiffCompression::Lzw;
    int quality = kDefaultJpegQuality;
};

struct Request {
    Mode mode = Mode::Calculate;
    std::optional<BarType> bar;
    std::optional<int> dpi;
    std::optional<Format> format;
    Unit unit = Unit::Inch;
    bool rollPlan = false;
    const StockRoll* roll = nullptr;  // the roll asked for; null for the narrowest that holds the canvas
    bool everyRoll = false;           // a plan on every standard roll
    int64_t count = 1;
    Nanometres gap = 0;
    Nanometres margin = 0;
    std::optional<ImageSize> pixels;
    std::optional<int> minPpi;
    std::string orders;  // the orders file
    PrintFileOptions print;
    // WIDTH and LENGTH as given, and as read. Every length read (sizes,
    // gap, margin) is rounded up to what the results show: 0.00001 in
    // with inches, a nanometre with mm and cm.
    std::vector<std::string> sizes;
    Nanometres width = 0;
    Nanometres length = 0;
};

// Reads the arguments into `request`; returns what is wrong with them, or
// the empty text. What it quotes of an argument is safe to print.
std::string ParseArguments(const std::vector<std::string>& args, Request& request);
