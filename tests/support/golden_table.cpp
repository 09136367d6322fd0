#include "support/golden_table.h"

#include <sstream>

namespace {

std::vector<Text> Fields(const Text& line) {
    std::vector<Text> fields;
    std::istringstream in(line + '\t');
    for (Text field; std::getline(in, field, '\t');) fields.push_back(field);
    return fields;
}

}  // namespace

BarType BarNamed(const Text& name) {
    if (name == "Pro175") return BarType::Pro175;
    if (name == "PreNotched") return BarType::PreNotched;
    return BarType::Standard125;
}

std::vector<GoldenRow> GoldenRows() {
    std::vector<GoldenRow> rows;
    std::istringstream in(kWrapTableText);
    Text line;
    std::getline(in, line);  // the heading
    while (std::getline(in, line)) {
        const std::vector<Text> f = Fields(line);
        rows.push_back({BarNamed(f[0]), f[1], f[2], std::vector<Text>(f.begin() + 3, f.end())});
    }
    return rows;
}

std::vector<Text> GoldenResults(BarType bar, const Text& width, const Text& length) {
    static const std::vector<GoldenRow> rows = GoldenRows();
    for (const GoldenRow& row : rows) {
        if (row.bar == bar && row.width == width && row.length == length) return row.results;
    }
    return {};
}

std::vector<Text> GoldenSizes(BarType bar) {
    std::vector<Text> sizes;
    for (const GoldenRow& row : GoldenRows()) {
        if (row.bar == bar && (sizes.empty() || row.width != sizes.back())) sizes.push_back(row.width);
    }
    return sizes;
}

std::vector<Text> ResultTexts(const WrapResults& r) {
    return {r.regularWidth, r.regularLength, r.stapleWidth, r.stapleLength,
            r.regularSheet, r.stapleSheet,   r.regularRoll, r.stapleRoll};
}
