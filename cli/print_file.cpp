#include "cli/print_file.h"

#include "cli/output_format.h"
#include "cli/progress.h"
#include "cli/quoted.h"
#include "cli/method_results.h"

namespace {

const char* EdgeName(EdgeKind edge) {
    switch (edge) {
    case EdgeKind::Image: return "the image wrapped round";
    case EdgeKind::Stretch: return "stretched edges";
    case EdgeKind::Solid: return "solid edges";
    case EdgeKind::Mirror: break;
    }
    return "mirrored edges";
}

Text Pixels(int64_t wide, int64_t high) {
    return std::to_string(wide) + " x " + std::to_string(high) + " pixels";
}

// The resolution as --pixels gives it: rounded down to 0.1 ppi.
Text PpiText(const Resolution& ppi) {
    return DecimalText(ppi.numerator * 10 / ppi.denominator, 1) + " ppi";
}

// What was cut off the image to fit the canvas's proportions.
Text CroppedText(const PrintedFile& made) {
    const int64_t wide = made.imageWide - made.layout.x.face;
    const int64_t high = made.imageHigh - made.layout.y.face;
    return wide > 0 ? "width " + std::to_string(wide) : high > 0 ? "height " + std::to_string(high) : "nothing";
}

void Summarise(const Request& request, BarType bar, WrapMethod method, const Canvas& canvas, const PrintedFile& made,
               std::string& out) {
    const PrintFileOptions& print = request.print;
    const PrintLayout& layout = made.layout;
    const Text unit = Text(" ") + UnitName(request.unit);
    out += Text(BarTitle(bar)) + ", " + (method == WrapMethod::Staple ? "staple method" : "regular wrap") +
           ", finished size " + LengthText(request.width, request.unit) + " x " +
           LengthText(request.length, request.unit) + unit + ", " + EdgeName(print.edge) + "\n\n";
    // Positions in the file, from its top left pixel: the canvas starts
    // inside the margin.
    const int64_t faceLeft = layout.x.margin + layout.x.faceFold, faceTop = layout.y.margin + layout.y.faceFold;
    const int64_t faceWide = layout.x.Total() - 2 * faceLeft, faceHigh = layout.y.Total() - 2 * faceTop;
    std::vector<std::vector<Text>> rows = {
        {"Image", Escaped(print.image) + ": " + Pixels(made.imageWide, made.imageHigh) +
                      (made.statedPpi.denominator > 0 ? ", stated " + PpiText(made.statedPpi) : Text()) +
                      ", cropped: " + CroppedText(made)},
        {"Print file", Escaped(print.out) + ": " + Pixels(layout.x.Total(), layout.y.Total()) + " at " +
                           PpiText(layout.ppi) + ", for a canvas of " + LengthText(canvas.width, request.unit) +
                           " x " + LengthText(canvas.length, request.unit) + unit},
        {"Front face",
         Pixels(faceWide, faceHigh) + " at " + std::to_string(faceLeft) + ", " + std::to_string(faceTop)}};
    if (method == WrapMethod::Staple) {
        rows.push_back({"Turn-over", "folded at " + std::to_string(layout.x.margin + layout.x.turnFold) + " and " +
                                         std::to_string(layout.y.margin + layout.y.turnFold) +
                                         " pixels in from the left and top"});
    }
    if (print.marks) {
        rows.push_back({"Fold marks", layout.x.margin > 0 ? "in a blank margin of " + std::to_string(layout.x.margin) +
                                                                 " pixels round the canvas"
                                                           : Text("on the turn-over, at the canvas's edge")});
    }
    if (!print.preview.empty()) rows.push_back({"Preview", Escaped(print.preview)});
    AppendColumns(rows, {12}, out);
}

}  // namespace

int MakePrintFileFor(const Request& request, std::string& out, std::string& err) {
    const BarType bar = request.bar.value_or(BarType::Standard125);
    const bool staplesOnly = BarConstantsOf(bar).preNotched;
    const WrapMethod method = request.print.method.value_or(staplesOnly ? WrapMethod::Staple : WrapMethod::Regular);
    const std::optional<Canvas> canvas = CanvasFor(bar, method, request.width, request.length);
    if (!canvas) {
        err += "corvalin-calc: " + Text(BarTitle(bar)) + " take only the staple method: give '--method staple'\n";
        return 2;
    }
    PrintRequest job;
    job.input = request.print.image;
    job.output = request.print.out;
    job.preview = request.print.preview;
    job.faceWidth = request.width;
    job.faceLength = request.length;
    job.side = FaceMargin(bar, WrapMethod::Regular);
    job.turnOver = FaceMargin(bar, method) - job.side;
    job.edge = request.print.edge;
    job.colour = request.print.colour;
    job.marks = request.print.marks;
    job.margin = request.print.markMargin;
    job.compression = request.print.compression;
    job.quality = request.print.quality;
    Progress progress(request.print.out);
    job.progress = Progress::Report;
    job.progressContext = &progress;
    std::string error;
    PrintedFile made;
    if (!MakePrintFile(job, error, &made)) {
        progress.End();
        err += Escaped(error) + "\n";
        return 2;
    }
    progress.End();
    const Resolution ppi = made.layout.ppi;
    if (ppi.numerator < MinimumPpi(request) * ppi.denominator) {
        err += "corvalin-calc: warning: the image prints at " + PpiText(ppi) + ", below the minimum of " +
               std::to_string(MinimumPpi(request)) + " ppi\n";
    }
    Summarise(request, bar, method, *canvas, made, out);
    return 0;
}
