#include "cli/forms.h"

#include "cli/output_format.h"
#include "cli/shown_lengths.h"

namespace {

// The resolution, the pixels cropped off the width and the height, and the
// front face's left, top, width and height.
std::vector<Text> ImageCells(const Method& m) {
    if (!m.canvas) return std::vector<Text>(7);
    const ImageFit& fit = m.fit;
    return {DecimalText(fit.ppiTenths, 1),  std::to_string(fit.cropWide), std::to_string(fit.cropHigh),
            std::to_string(fit.frontLeft), std::to_string(fit.frontTop), std::to_string(fit.frontWide),
            std::to_string(fit.frontHigh)};
}

// The method's fields: the names and headings after its own start.
void AddFields(std::vector<Field>& fields, const Method& m, const std::vector<Text>& names,
               const std::vector<Text>& headings, const std::vector<Text>& values) {
    for (size_t i = 0; i < values.size(); ++i) {
        fields.push_back({m.field + names[i], m.heading + headings[i], values[i]});
    }
}

// The table's fields, then those the request adds: pixels, the roll plan,
// the image; last the order's count and rows, which came after the others
// and follow them so that every earlier field keeps its place in a row.
std::vector<Field> DataFields(const Request& request, const Job& job) {
    const std::vector<Method> methods = MethodsOf(request, job);
    const Unit unit = request.unit;
    const Text inUnit = Text(" (") + UnitName(unit) + ")";
    std::vector<Field> fields = {{"bar", "Bar", BarName(job.bar)},
                                 {"width", "Finished width" + inUnit, LengthText(job.width, unit)},
                                 {"length", "Finished length" + inUnit, LengthText(job.length, unit)}};
    for (const Method& m : methods) {
        AddFields(fields, m, {"Width", "Length"}, {" width" + inUnit, " length" + inUnit},
                  {m.canvas ? LengthText(m.canvas->width, unit) : "",
                   m.canvas ? LengthText(m.canvas->length, unit) : ""});
    }
    for (const Method& m : methods) {
        AddFields(fields, m, {"Sheet"}, {" sheet"}, {m.canvas ? SheetText(m.sheet, unit) : ""});
    }
    for (const Method& m : methods) AddFields(fields, m, {"Roll"}, {" roll"}, {m.canvas ? RollText(m.roll, unit) : ""});
    for (const Method& m : methods) {
        if (!request.dpi) break;
        AddFields(fields, m, {"PixelWidth", "PixelLength"}, {" pixel width", " pixel length"},
                  {m.canvas ? PixelsAt(m.canvas->width, *request.dpi) : "",
                   m.canvas ? PixelsAt(m.canvas->length, *request.dpi) : ""});
    }
    for (const Method& m : methods) {
        if (!request.rollPlan) break;
        std::vector<Text> cells = PlanCells(request, m);
        cells.pop_back();
        AddFields(fields, m, {"PlanRoll", "Across", "RollUsed", "SideBySide", "Waste"},
                  {" plan roll", " across", " roll used" + inUnit, " side by side", " waste (%)"}, cells);
    }
    for (const Method& m : methods) {
        if (!request.pixels) break;
        AddFields(fields, m, {"Ppi", "CropWidth", "CropHeight", "FrontLeft", "FrontTop", "FrontWidth", "FrontHeight"},
                  {" ppi", " crop width (px)", " crop height (px)", " front left (px)", " front top (px)",
                   " front width (px)", " front height (px)"},
                  ImageCells(m));
    }
    if (request.rollPlan) {
        fields.push_back({"count", "Canvases", std::to_string(job.count)});
        for (const Method& m : methods) AddFields(fields, m, {"Rows"}, {" rows"}, {PlanCells(request, m).back()});
    }
    return fields;
}

}  // namespace

const char* BarName(BarType bar) {
    switch (bar) {
    case BarType::Pro175: return "Pro175";
    case BarType::PreNotched: return "PreNotched";
    case BarType::Standard125: break;
    }
    return "Standard125";
}

void AppendFields(const std::vector<Field>& fields, bool heading, Format format, std::string& out) {
    if (heading) {
        std::vector<Text> headings;
        for (const Field& f : fields) headings.push_back(format == Format::Markdown ? f.heading : f.name);
        AppendDataRow(headings, format, out);
        if (format == Format::Markdown) AppendDataRow(std::vector<Text>(fields.size(), "---"), format, out);
    }
    std::vector<Text> values;
    for (const Field& f : fields) values.push_back(f.value);
    AppendDataRow(values, format, out);
}

void PrintData(const Request& request, const std::vector<Job>& jobs, Format format, std::string& out) {
    bool heading = true;
    for (Job job : jobs) {
        for (const StockRoll* roll : PlanRolls(request)) {
            job.roll = roll;
            AppendFields(DataFields(request, job), heading, format, out);
            heading = false;
        }
    }
}
