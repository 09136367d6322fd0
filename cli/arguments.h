// corvalin-calc's command line read into what it asks for.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/wrap.h"
#include "cli/image_fit.h"
#include "cli/output_format.h"
#include "cli/shown_lengths.h"

enum class Mode { Calculate, Sizes, Table, Help, Version };

struct Request {
    Mode mode = Mode::Calculate;
    std::optional<BarType> bar;
    std::optional<int> dpi;
    std::optional<Format> format;
    Unit unit = Unit::Inch;
    bool rollPlan = false;
    Text roll;  // the roll asked for; empty for the narrowest that holds the canvas
    std::optional<ImageSize> pixels;
    std::optional<int> minPpi;
    std::vector<std::string> sizes;  // WIDTH and LENGTH as given
};

// Reads the arguments into `request`; returns what is wrong with them, or
// the empty text. What it quotes of an argument is safe to print.
std::string ParseArguments(const std::vector<std::string>& args, Request& request);

// The size as the program reads it, in its own number text: "5." is 5, and
// digits past the eighteenth, which reading drops, are not shown.
Text SizeText(const std::string& size);
