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
        if (m.width.empty()) {
            rows.push_back({m.title, kNotForPreNotched});
            continue;
        }
        rows.push_back({m.title, LengthText(m.width, request.unit), LengthText(m.length, request.unit),
                        NameWithSize(m.sheet, request.unit), NameWithSize(m.roll, request.unit)});
        if (request.dpi) {
            rows.back().push_back(PixelsAt(m.width, *request.dpi) + " x " + PixelsAt(m.length, *request.dpi));
        }
    }
    return rows;
}

Rows RollPlanRows(const Request& request, const std::vector<Method>& methods) {
    Rows rows = {{"Roll plan", "Roll", "Across", "Roll used", "Side by side", "Waste %"}};
    for (const Method& m : methods) {
        const std::vector<Text> cells = PlanCells(request, m);
        if (m.width.empty()) {
            rows.push_back({m.title, kNotForPreNotched});
        } else if (!m.plan.fits) {
            rows.push_back({m.title, cells[0],
                            m.planRoll == "none" ? "no standard roll is wide enough" : "too narrow for this canvas"});
        } else {
            rows.push_back({m.title});
            rows.back().insert(rows.back().end(), cells.begin(), cells.end());
        }
    }
    return rows;
}

Rows ImageRows(const std::vector<Method>& methods) {
    Rows rows = {{"Image", "Resolution", "Cropped", "Front face"}};
    for (const Method& m : methods) {
        const ImageFit& fit = m.fit;
        if (m.width.empty()) {
            rows.push_back({m.title, kNotForPreNotched});
            continue;
        }
        const Text cropped = fit.cropWide > 0   ? "width " + std::to_string(fit.cropWide)
                             : fit.cropHigh > 0 ? "height " + std::to_string(fit.cropHigh)
                                                : "none";
        rows.push_back({m.title, ScaledText(fit.ppiTenths, 1) + " ppi", cropped,
                        std::to_string(fit.frontWide) + " x " + std::to_string(fit.frontHigh) + " at " +
                            std::to_string(fit.frontLeft) + ", " + std::to_string(fit.frontTop)});
    }
    return rows;
}

}  // namespace

void PrintText(const Request& request, const Job& job, std::string& out) {
    out += std::string(BarTitle(job.bar)) + ", finished size " + SizeText(job.width) + " x " + SizeText(job.length) +
           " in" + (request.unit == Unit::Inch ? "" : Text(", lengths in ") + UnitName(request.unit)) + "\n\n";
    const std::vector<Method> methods = MethodsOf(request, job);
    AppendColumns(ResultRows(request, methods), {16, 9, 9, 11, 10}, out);
    if (request.rollPlan) {
        out += '\n';
        AppendColumns(RollPlanRows(request, methods), {16}, out);
    }
    if (request.pixels) {
        out += '\n';
        AppendColumns(ImageRows(methods), {16}, out);
    }
}
