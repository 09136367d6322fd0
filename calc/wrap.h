// The wrap calculation: from the bar type and the finished size, the canvas
// to print for the regular wrap and the staple method, the smallest standard
// sheet that holds it and the narrowest roll width.
#pragma once

#include "toolkit/text.h"

enum class BarType { Standard125, Pro175, PreNotched };

struct BarConstants {
    float depth;        // inches of bar depth the canvas wraps round, per side
    float stapleExtra;  // inches the staple method adds to each dimension
    bool preNotched;    // only the staple method applies
};

BarConstants BarConstantsOf(BarType bar);

// The bar as the window's option buttons and the command line name it.
const char* BarTitle(BarType bar);

// The eight result texts of one calculation, as the labels show them.
// Texts that do not apply are empty; a search that finds nothing is "none".
struct WrapResults {
    Text regularWidth;
    Text regularLength;
    Text stapleWidth;
    Text stapleLength;
    Text regularSheet;
    Text stapleSheet;
    Text regularRoll;
    Text stapleRoll;
};

// widthText and lengthText are read with ParseNumber; a text without a
// leading number counts as 0.
WrapResults CalculateWrap(BarType bar, const Text& widthText, const Text& lengthText);
