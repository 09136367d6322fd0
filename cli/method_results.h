// What each wrap method gives for one calculation, with its roll plan and
// image fit when they are asked for.
#pragma once

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/image_fit.h"
#include "cli/roll_plan.h"

// One calculation: a bar and a finished size as given.
struct Job {
    BarType bar;
    std::string width;
    std::string length;
};

// What one wrap method gives; its texts are empty where it does not apply.
struct Method {
    const char* field;    // how its data fields' names start
    const char* heading;  // how their headings start
    const char* title;    // its row in the text form
    Text width, length, sheet, roll;
    int64_t margin;  // millionths of an inch of canvas round the front face
    Text planRoll;   // the roll its roll plan is for
    RollPlan plan;
    ImageFit fit;
};

std::vector<Method> MethodsOf(const Request& request, const Job& job);

// The resolution below which an image is warned of.
int MinimumPpi(const Request& request);

// The roll plan's roll, side across, roll used, canvases side by side and
// waste, as the data forms give them.
std::vector<Text> PlanCells(const Request& request, const Method& m);
