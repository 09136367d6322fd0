#include "calc/finished_sizes.h"

#include <initializer_list>

namespace {

// Each set is a counted run of whole numbers from 8, then fixed entries.
std::vector<Text> SizeSet(int lastCounted, std::initializer_list<const char*> fixed) {
    std::vector<Text> entries;
    for (int n = 8; n <= lastCounted; ++n) {
        entries.push_back(TrimBlanks(FormatNumber(n, 15)));
    }
    entries.insert(entries.end(), fixed.begin(), fixed.end());
    return entries;
}

}  // namespace

std::vector<Text> FinishedSizeEntries(BarType bar) {
    switch (bar) {
    case BarType::Pro175:
        return SizeSet(14, {"16", "18", "19", "20", "24", "26", "28", "30", "32", "36", "40",
                            "42", "44", "48", "50", "54", "60"});
    case BarType::PreNotched:
        return SizeSet(12, {"14", "15", "16", "17.5", "18", "20", "22", "24", "26", "28",
                            "30", "32", "36", "38", "40", "42", "48", "54", "60", "72"});
    case BarType::Standard125: break;
    }
    return SizeSet(19, {});
}
