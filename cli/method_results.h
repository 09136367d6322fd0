// What each wrap method gives for one calculation, with its roll plan and
// image fit when they are asked for.
#pragma once

#include <string>
#include <vector>

#include "calc/roll_plan.h"
#include "cli/arguments.h"
#include "cli/image_fit.h"

// One calculation: a bar, a finished size and how many canvases of it.
struct Job {
    BarType bar;
    Nanometres width;
    Nanometres length;
    int64_t count;
    const StockRoll* roll;  // the roll to plan on; null for the narrowest that holds the canvas
};

// What one wrap method gives.
struct Method {
    const char* field;    // how its data fields' names start
    const char* heading;  // how their headings start
    const char* title;    // its row in the text form
    std::optional<Canvas> canvas;  // none where the method does not apply
    const StockSheet* sheet;
    const StockRoll* roll;      // the narrowest roll that holds one canvas
    Nanometres margin;          // canvas round the front face
    const StockRoll* planRoll;  // the roll its plan is for; null when none is wide enough
    RollPlan plan;
    ImageFit fit;
};

std::vector<Method> MethodsOf(const Request& request, const Job& job);

// The rolls a plan is asked for on: the one --roll names, every standard
// roll, or null for the narrowest that holds the canvas.
std::vector<const StockRoll*> PlanRolls(const Request& request);

// The resolution below which an image is warned of.
int MinimumPpi(const Request& request);

// The roll plan's roll, side across, roll used, canvases side by side,
// waste and rows, as the forms give them: all empty where the method does
// not apply, all but the roll where the canvas does not fit.
std::vector<Text> PlanCells(const Request& request, const Method& m);

// Why a method's plan has no figures, for the text forms: no roll is wide
// enough, or the roll asked for is too narrow.
const char* NoPlanText(const Method& m);

// The gap and margins of the plans when either is not 0, as a title gives
// them: ", gap .25 in, margins .5 in".
Text PlanSpacingText(const Request& request);
