#include "cli/forms.h"

#include "cli/output_format.h"
#include "cli/quoted.h"
#include "cli/shown_lengths.h"

namespace {

// An order on one roll: its line, its job and what its method gives there.
struct Planned {
    const OrderLine* order;
    Method method;
};

std::vector<Planned> PlanOrders(const Request& request, const std::vector<OrderLine>& orders) {
    std::vector<Planned> planned;
    for (const OrderLine& order : orders) {
        Job job = order.job;
        for (const StockRoll* roll : PlanRolls(request)) {
            job.roll = roll;
            planned.push_back({&order, MethodsOf(request, job)[order.method == WrapMethod::Regular ? 0 : 1]});
        }
    }
    return planned;
}

// For each standard roll that a plan is on: the canvases and the roll the
// orders take on it.
struct Total {
    const StockRoll* roll;
    int64_t count;
    Nanometres rollUsed;
};

std::vector<Total> TotalsOf(const std::vector<Planned>& planned) {
    std::vector<Total> totals;
    for (const StockRoll& roll : StandardRolls()) {
        Total total = {&roll, 0, 0};
        for (const Planned& p : planned) {
            if (p.method.planRoll != &roll || !p.method.plan.fits) continue;
            total.count += p.order->job.count;
            total.rollUsed += p.method.plan.rollUsed;
        }
        if (total.count > 0) totals.push_back(total);
    }
    return totals;
}

Text SizeText(Nanometres width, Nanometres length, Unit unit) {
    return LengthText(width, unit) + " x " + LengthText(length, unit);
}

const char* UnitWord(Unit unit) {
    switch (unit) {
    case Unit::Millimetre: return "millimetres";
    case Unit::Centimetre: return "centimetres";
    case Unit::Inch: break;
    }
    return "inches";
}

void PrintOrdersText(const Request& request, const std::vector<Planned>& planned, std::string& out) {
    const Unit unit = request.unit;
    out += "Orders from " + Escaped(request.orders) + ", lengths in " + UnitWord(unit) + PlanSpacingText(request) +
           "\n\n";
    std::vector<std::vector<Text>> rows = {{"Line", "Bar", "Finished", "Canvases", "Method", "Canvas", "Roll", "Across",
                                            "Roll used", "Side by side", "Waste %", "Rows"}};
    for (const Planned& p : planned) {
        const Job& job = p.order->job;
        const Method& m = p.method;
        std::vector<Text> row = {std::to_string(p.order->line), BarName(job.bar), SizeText(job.width, job.length, unit),
                                 std::to_string(job.count), m.field, SizeText(m.canvas->width, m.canvas->length, unit)};
        const std::vector<Text> cells = PlanCells(request, m);
        if (m.plan.fits) {
            row.insert(row.end(), cells.begin(), cells.end());
        } else {
            row.insert(row.end(), {cells[0], NoPlanText(m)});
        }
        rows.push_back(row);
    }
    AppendColumns(rows, {}, out);
    out += '\n';
    rows = {{"Total on roll", "Canvases", "Roll used"}};
    for (const Total& total : TotalsOf(planned)) {
        rows.push_back({RollText(total.roll, unit), std::to_string(total.count), LengthText(total.rollUsed, unit)});
    }
    AppendColumns(rows, {}, out);
}

// The fields of an order, or of a total where `total` is given.
std::vector<Field> OrderFields(const Request& request, const Planned* p, const Total* total) {
    const Unit unit = request.unit;
    const Text inUnit = Text(" (") + UnitName(unit) + ")";
    std::vector<Text> values(14);
    if (p) {
        const Job& job = p->order->job;
        const Method& m = p->method;
        values = {std::to_string(p->order->line), BarName(job.bar), LengthText(job.width, unit),
                  LengthText(job.length, unit), std::to_string(job.count), m.field, LengthText(m.canvas->width, unit),
                  LengthText(m.canvas->length, unit)};
        const std::vector<Text> cells = PlanCells(request, m);
        values.insert(values.end(), cells.begin(), cells.end());
    } else {
        values[0] = "total";
        values[4] = std::to_string(total->count);
        values[8] = RollText(total->roll, unit);
        values[10] = LengthText(total->rollUsed, unit);
    }
    // Each field's name and heading; a length's heading ends in its unit.
    struct Named {
        const char* name;
        const char* heading;
        bool length;
    };
    static constexpr Named kNamed[] = {
        {"line", "Line", false},          {"bar", "Bar", false},
        {"width", "Finished width", true}, {"length", "Finished length", true},
        {"count", "Canvases", false},     {"method", "Method", false},
        {"canvasWidth", "Canvas width", true}, {"canvasLength", "Canvas length", true},
        {"planRoll", "Plan roll", false}, {"across", "Across", false},
        {"rollUsed", "Roll used", true},  {"sideBySide", "Side by side", false},
        {"waste", "Waste (%)", false},    {"rows", "Rows", false}};
    std::vector<Field> fields;
    for (size_t i = 0; i < values.size(); ++i) {
        fields.push_back({kNamed[i].name, kNamed[i].heading + (kNamed[i].length ? inUnit : Text()), values[i]});
    }
    return fields;
}

}  // namespace

void PrintOrders(const Request& request, const std::vector<OrderLine>& orders, Format format, std::string& out) {
    const std::vector<Planned> planned = PlanOrders(request, orders);
    if (format == Format::Padded) {
        PrintOrdersText(request, planned, out);
        return;
    }
    bool heading = true;
    for (const Planned& p : planned) {
        AppendFields(OrderFields(request, &p, nullptr), heading, format, out);
        heading = false;
    }
    for (const Total& total : TotalsOf(planned)) {
        AppendFields(OrderFields(request, nullptr, &total), false, format, out);
    }
}
