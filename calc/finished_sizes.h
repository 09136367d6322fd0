// The finished sizes offered for each bar type, in the order the size lists
// show them (not sorted: a text sort would put 10 before 8).
#pragma once

#include <vector>

#include "calc/wrap.h"

std::vector<Text> FinishedSizeEntries(BarType bar);
