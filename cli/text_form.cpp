#include "cli/forms.h"

#include "cli/output_format.h"
#include "cli/shown_lengths.h"

namespace {

const char* const kNotForPreNotched = "does not apply to pre-notched bars";

using Rows = std::vector<std::vector<Text>>;

Rows ResultRows(const Request& request, const std::vector<Method>& methods) {
    Rows rows = {{"", "Width", "Length", "Sheet", "Roll"}};
    if (request.dpi) rows[0].push_back("Pixels at " + std::to_string(*request.dpi) + " dpi");
    for (const Method& m : methods) {
        if (!m.canvas) {
            rows.push_back({m.title, kNotForPreNotched});
            continue;
        }
        rows.push_back({m.title, LengthText(m.canvas->width, request.unit), LengthText(m.canvas->length, request.unit),
                        SheetText(m.sheet, request.unit), RollText(m.roll, request.unit)});
        if (request.dpi) {
            rows.back().push_back(PixelsAt(m.canvas->width, *request.dpi) + " x " +
                                  PixelsAt(m.canvas->length, *request.dpi));
        }
    }
    return rows;
}

// A row for each method on each roll asked for, a method's rows together.
Rows RollPlanRows(const Request& request, Job job) {
    std::vector<std::vector<Method>> byRoll;
    for (const StockRoll* roll : PlanRolls(request)) {
        job.roll = roll;
        byRoll.push_back(MethodsOf(request, job));
    }
    Rows rows = {{"Roll plan", "Roll", "Across", "Roll used", "Side by side", "Waste %", "Canvases", "Rows"}};
    for (size_t method = 0; method < byRoll[0].size(); ++method) {
        if (!byRoll[0][method].canvas) {
            rows.push_back({byRoll[0][method].title, kNotForPreNotched});
            continue;
        }
        for (const std::vector<Method>& methods : byRoll) {
            const Method& m = methods[method];
            const std::vector<Text> cells = PlanCells(request, m);
            if (m.plan.fits) {
                rows.push_back({m.title, cells[0], cells[1], cells[2], cells[3], cells[4], std::to_string(job.count),
                                cells[5]});
            } else {
                rows.push_back({m.title, cells[0], NoPlanText(m)});
            }
        }
    }
    return rows;
}

Rows ImageRows(const std::vector<Method>& methods) {
    Rows rows = {{"Image", "Resolution", "Cropped", "Front face"}};
    for (const Method& m : methods) {
        const ImageFit& fit = m.fit;
        if (!m.canvas) {
            rows.push_back({m.title, kNotForPreNotched});
            continue;
        }
        const Text cropped = fit.cropWide > 0   ? "width " + std::to_string(fit.cropWide)
                             : fit.cropHigh > 0 ? "height " + std::to_string(fit.cropHigh)
                                                : "none";
        rows.push_back({m.title, DecimalText(fit.ppiTenths, 1) + " ppi", cropped,
                        std::to_string(fit.frontWide) + " x " + std::to_string(fit.frontHigh) + " at " +
                            std::to_string(fit.frontLeft) + ", " + std::to_string(fit.frontTop)});
    }
    return rows;
}

}  // namespace

void PrintText(const Request& request, const Job& job, std::string& out) {
    out += std::string(BarTitle(job.bar)) + ", finished size " + LengthText(job.width, request.unit) + " x " +
           LengthText(job.length, request.unit) + " " + UnitName(request.unit) + PlanSpacingText(request) + "\n\n";
    const std::vector<Method> methods = MethodsOf(request, job);
    AppendColumns(ResultRows(request, methods), {16, 9, 9, 11, 10}, out);
    if (request.rollPlan) {
        out += '\n';
        AppendColumns(RollPlanRows(request, job), {16}, out);
    }
    if (request.pixels) {
        out += '\n';
        AppendColumns(ImageRows(methods), {16}, out);
    }
}
