#include "cli/forms.h"

#include "cli/output_format.h"
#include "cli/shown_lengths.h"

namespace {

const char* BarName(BarType bar) {
    switch (bar) {
    case BarType::Pro175: return "Pro175";
    case BarType::PreNotched: return "PreNotched";
    case BarType::Standard125: break;
    }
    return "Standard125";
}

// The resolution, the pixels cropped off the width and the height, and the
// front face's left, top, width and height.
std::vector<Text> ImageCells(const Method& m) {
    if (m.width.empty()) return std::vector<Text>(7);
    const ImageFit& fit = m.fit;
    return {ScaledText(fit.ppiTenths, 1),  std::to_string(fit.cropWide), std::to_string(fit.cropHigh),
            std::to_string(fit.frontLeft), std::to_string(fit.frontTop), std::to_string(fit.frontWide),
            std::to_string(fit.frontHigh)};
}

// A field of a data row: its name for scripts, its heading for people, its value.
struct Field {
    Text name;
    Text heading;
    Text value;
};

// The method's fields: the names and headings after its own start.
void AddFields(std::vector<Field>& fields, const Method& m, const std::vector<Text>& names,
               const std::vector<Text>& headings, const std::vector<Text>& values) {
    for (size_t i = 0; i < values.size(); ++i) {
        fields.push_back({m.field + names[i], m.heading + headings[i], values[i]});
    }
}

std::vector<Field> DataFields(const Request& request, const Job& job) {
    const std::vector<Method> methods = MethodsOf(request, job);
    std::vector<Field> fields = {{"bar", "Bar", BarName(job.bar)},
                                 {"width", "Finished width (in)", SizeText(job.width)},
                                 {"length", "Finished length (in)", SizeText(job.length)}};
    const Text unit = Text(" (") + UnitName(request.unit) + ")";
    for (const Method& m : methods) {
        AddFields(fields, m, {"Width", "Length"}, {" width" + unit, " length" + unit},
                  {LengthText(m.width, request.unit), LengthText(m.length, request.unit)});
    }
    for (const Method& m : methods) AddFields(fields, m, {"Sheet"}, {" sheet"}, {NameWithSize(m.sheet, request.unit)});
    for (const Method& m : methods) AddFields(fields, m, {"Roll"}, {" roll"}, {NameWithSize(m.roll, request.unit)});
    for (const Method& m : methods) {
        if (!request.dpi) break;
        const bool applies = !m.width.empty();
        AddFields(fields, m, {"PixelWidth", "PixelLength"}, {" pixel width", " pixel length"},
                  {applies ? PixelsAt(m.width, *request.dpi) : "", applies ? PixelsAt(m.length, *request.dpi) : ""});
    }
    for (const Method& m : methods) {
        if (!request.rollPlan) break;
        AddFields(fields, m, {"PlanRoll", "Across", "RollUsed", "SideBySide", "Waste"},
                  {" plan roll", " across", " roll used" + unit, " side by side", " waste (%)"}, PlanCells(request, m));
    }
    for (const Method& m : methods) {
        if (!request.pixels) break;
        AddFields(fields, m, {"Ppi", "CropWidth", "CropHeight", "FrontLeft", "FrontTop", "FrontWidth", "FrontHeight"},
                  {" ppi", " crop width (px)", " crop height (px)", " front left (px)", " front top (px)",
                   " front width (px)", " front height (px)"},
                  ImageCells(m));
    }
    return fields;
}

}  // namespace

void PrintData(const Request& request, const std::vector<Job>& jobs, Format format, std::string& out) {
    for (const Job& job : jobs) {
        const std::vector<Field> fields = DataFields(request, job);
        if (&job == &jobs.front()) {
            std::vector<Text> headings;
            for (const Field& f : fields) headings.push_back(format == Format::Markdown ? f.heading : f.name);
            AppendDataRow(headings, format, out);
            if (format == Format::Markdown) AppendDataRow(std::vector<Text>(fields.size(), "---"), format, out);
        }
        std::vector<Text> values;
        for (const Field& f : fields) values.push_back(f.value);
        AppendDataRow(values, format, out);
    }
}
