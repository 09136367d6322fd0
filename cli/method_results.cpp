#include "cli/method_results.h"

#include <string>

#include "cli/shown_lengths.h"

namespace {

constexpr int kDefaultMinimumPpi = 150;

}  // namespace

int MinimumPpi(const Request& request) {
    return request.minPpi.value_or(kDefaultMinimumPpi);
}

std::vector<const StockRoll*> PlanRolls(const Request& request) {
    std::vector<const StockRoll*> rolls = {request.roll};
    if (request.everyRoll) {
        rolls.clear();
        for (const StockRoll& roll : StandardRolls()) rolls.push_back(&roll);
    }
    return rolls;
}

std::vector<Method> MethodsOf(const Request& request, const Job& job) {
    std::vector<Method> methods = {{"regular", "Regular", "Regular wrap", {}, {}, {}, {}, {}, {}, {}},
                                   {"staple", "Staple", "Staple method", {}, {}, {}, {}, {}, {}, {}}};
    for (Method& m : methods) {
        const WrapMethod method = &m == &methods[0] ? WrapMethod::Regular : WrapMethod::Staple;
        m.canvas = CanvasFor(job.bar, method, job.width, job.length);
        if (!m.canvas) continue;
        m.sheet = SheetFor(*m.canvas);
        m.roll = NarrowestRoll(*m.canvas, 0);
        m.margin = FaceMargin(job.bar, method);
        if (request.rollPlan) {
            m.planRoll = job.roll ? job.roll : NarrowestRoll(*m.canvas, request.margin);
            if (m.planRoll) m.plan = PlanRoll({*m.canvas, job.count, request.gap, request.margin}, m.planRoll->width);
        }
        if (request.pixels) m.fit = FitImage(*request.pixels, *m.canvas, m.margin, MinimumPpi(request));
    }
    return methods;
}

std::vector<Text> PlanCells(const Request& request, const Method& m) {
    std::vector<Text> cells(6);
    if (!m.canvas) return cells;
    const RollPlan& plan = m.plan;
    cells[0] = RollText(m.planRoll, request.unit);
    if (plan.fits) {
        cells[1] = plan.lengthAcross ? "length" : "width";
        cells[2] = LengthText(plan.rollUsed, request.unit);
        cells[3] = std::to_string(plan.sideBySide);
        cells[4] = DecimalText(plan.wasteTenths, 1);
        cells[5] = std::to_string(plan.rows);
    }
    return cells;
}

const char* NoPlanText(const Method& m) {
    return m.planRoll ? "too narrow for this canvas" : "no standard roll is wide enough";
}

Text PlanSpacingText(const Request& request) {
    const Text unit = Text(" ") + UnitName(request.unit);
    Text spacing;
    if (request.gap > 0) spacing += ", gap " + LengthText(request.gap, request.unit) + unit;
    if (request.margin > 0) spacing += ", margins " + LengthText(request.margin, request.unit) + unit;
    return spacing;
}
