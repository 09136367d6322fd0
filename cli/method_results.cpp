#include "cli/method_results.h"

#include <cmath>

namespace {

constexpr int kDefaultMinimumPpi = 150;

int64_t Millionths(float inches) {
    return std::llround(inches * 1e6);
}

}  // namespace

int MinimumPpi(const Request& request) {
    return request.minPpi.value_or(kDefaultMinimumPpi);
}

std::vector<Method> MethodsOf(const Request& request, const Job& job) {
    const WrapResults r = CalculateWrap(job.bar, job.width, job.length);
    const BarConstants bar = BarConstantsOf(job.bar);
    // The staple method's extra canvas is split evenly between both sides.
    std::vector<Method> methods = {{"regular", "Regular", "Regular wrap", r.regularWidth, r.regularLength,
                                    r.regularSheet, r.regularRoll, Millionths(bar.depth), {}, {}, {}},
                                   {"staple", "Staple", "Staple method", r.stapleWidth, r.stapleLength, r.stapleSheet,
                                    r.stapleRoll, Millionths(bar.depth + bar.stapleExtra / 2), {}, {}, {}}};
    for (Method& m : methods) {
        if (m.width.empty()) continue;
        if (request.rollPlan) {
            m.planRoll = request.roll.empty() ? m.roll : request.roll;
            m.plan = PlanRoll(m.planRoll, m.width, m.length);
        }
        if (request.pixels) m.fit = FitImage(*request.pixels, m.width, m.length, m.margin, MinimumPpi(request));
    }
    return methods;
}

std::vector<Text> PlanCells(const Request& request, const Method& m) {
    if (m.width.empty()) return std::vector<Text>(5);
    const RollPlan& plan = m.plan;
    return {NameWithSize(m.planRoll, request.unit), plan.fits ? (plan.lengthAcross ? "length" : "width") : "",
            LengthText(plan.rollUsed, request.unit), std::to_string(plan.sideBySide),
            plan.fits ? ScaledText(plan.wasteTenths, 1) : ""};
}
