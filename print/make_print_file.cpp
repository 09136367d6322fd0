#include "print/make_print_file.h"

#include <memory>
#include <vector>

#include "print/edge_composer.h"
#include "print/files.h"
#include "print/fold_marks.h"
#include "print/oriented_source.h"
#include "print/preview.h"
#include "print/readers.h"
#include "print/solid_colour.h"

namespace {

// The mirror's buffer of face rows is the one thing that grows with the
// image; past this it is refused with a reason rather than left to fail.
constexpr int64_t kLargestHeldRows = int64_t{1} << 30;
constexpr int64_t kProgressEvery = 64;
// Far past any canvas, and small enough that the layout's products of a
// length and a pixel count stay within 64 bits.
constexpr int64_t kLongestLength = 10000 * kNanometresPerInch;

bool KindOfName(const std::string& name, FileKind& kind) {
    const size_t dot = name.rfind('.');
    std::string ending = dot == std::string::npos ? "" : name.substr(dot + 1);
    for (char& c : ending) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (ending == "tif" || ending == "tiff") {
        kind = FileKind::Tiff;
    } else if (ending == "jpg" || ending == "jpeg") {
        kind = FileKind::Jpeg;
    } else if (ending == "png") {
        kind = FileKind::Png;
    } else {
        return false;
    }
    return true;
}

// A file made beside its final name and put in its place only when
// complete; removed when anything before that failed.
class PendingFile {
public:
    explicit PendingFile(const std::string& final) : final_(final) {}
    ~PendingFile() {
        if (!temporary_.empty()) RemoveFile(temporary_);
    }
    FILE* Create() { return CreateFileBeside(final_, temporary_); }
    const std::string& Temporary() const { return temporary_; }
    bool Commit() {
        if (!MoveIntoPlace(temporary_, final_)) return false;
        temporary_.clear();
        return true;
    }

private:
    std::string final_;
    std::string temporary_;
};

std::unique_ptr<RowSource> OpenShown(const PrintRequest& request, std::string& error) {
    std::unique_ptr<RowSource> stored = OpenImage(request.input, error);
    return stored ? Oriented(std::move(stored), request.output, error) : nullptr;
}

std::unique_ptr<RowSink> StartWriter(FileKind kind, PendingFile& file, const OutputImage& image,
                                     const PrintRequest& request, std::string& error) {
    FILE* made = file.Create();
    if (!made) {
        error = CannotWrite("");
        return nullptr;
    }
    switch (kind) {
    case FileKind::Jpeg: return WriteJpeg(made, image, request.quality, error);
    case FileKind::Png: return WritePng(made, image, error);
    case FileKind::Tiff: break;
    }
    // libtiff opens the file by name itself.
    std::fclose(made);
    return WriteTiff(file.Temporary(), image, request.compression, error);
}

// What went wrong, and with which file.
struct Failure {
    std::string file;
    std::string why;
};

// The checks that need no image: lengths, names, quality, the marks' place.
bool CheckRequest(const PrintRequest& request, FileKind& kind, Failure& failure) {
    for (int64_t length : {request.faceWidth, request.faceLength, request.side, request.turnOver, request.margin}) {
        if (length < 0 || length > kLongestLength) {
            failure = {request.output, "the face, side, turn-over and margin must each be 0 to 10,000 in"};
            return false;
        }
    }
    if (request.faceWidth == 0 || request.faceLength == 0) {
        failure = {request.output, "the face must have a size"};
        return false;
    }
    if (!KindOfName(request.output, kind)) {
        failure = {request.output, "its name must end in .tif, .tiff, .jpg, .jpeg or .png"};
        return false;
    }
    FileKind previewKind = FileKind::Png;
    if (!request.preview.empty() && (!KindOfName(request.preview, previewKind) || previewKind != FileKind::Png)) {
        failure = {request.preview, "the preview is a PNG: its name must end in .png"};
        return false;
    }
    if (kind == FileKind::Jpeg && (request.quality < 1 || request.quality > 100)) {
        failure = {request.output, "the JPEG quality must be 1 to 100"};
        return false;
    }
    for (const std::string* named : {&request.output, &request.preview}) {
        if (!named->empty() && (*named == request.input || SameFile(*named, request.input))) {
            failure = {*named, "is the image itself: the image is never written over"};
            return false;
        }
    }
    if (!request.preview.empty() && (request.preview == request.output || SameFile(request.preview, request.output))) {
        failure = {request.preview, "is the print file too: name the preview another file"};
        return false;
    }
    if (request.marks && request.turnOver == 0 && request.margin == 0) {
        failure = {request.output,
                   "fold marks on the regular wrap would show on the canvas: ask for a margin outside it, or use the "
                   "staple method, whose turn-over hides them"};
        return false;
    }
    return true;
}

// The checks of the layout the image gives.
bool CheckLayout(const PrintRequest& request, const PrintLayout& layout, const PixelFormat& format, Failure& failure) {
    const int64_t wide = layout.x.Total(), high = layout.y.Total();
    if (layout.x.face < 1 || layout.y.face < 1) {
        failure = {request.input, "the face would hold no whole pixel of it: its proportions are too far from the face's"};
    } else if (wide > kLargestSide || high > kLargestSide) {
        failure = {request.output, "it would be " + std::to_string(wide) + " x " + std::to_string(high) +
                                       " pixels, over the 1,000,000 a side this program writes"};
    } else if (request.edge == EdgeKind::Mirror &&
               std::min(layout.y.band, layout.y.face) * layout.x.face * format.BytesPerPixel() > kLargestHeldRows) {
        failure = {request.input, "the mirrored edges would hold over 1 GB of the image in memory"};
    } else {
        return true;
    }
    return false;
}

// A solid edge's colour: as given, or the mean of a first pass over the
// image, which is read again rather than held.
bool SolidColourOf(const PrintRequest& request, const PrintLayout& layout, const PixelFormat& format, Pixel& solid,
                   std::string& why) {
    if (!request.colour.empty() && request.colour != "auto") return ParseSolidColour(request.colour, format, solid, why);
    std::unique_ptr<RowSource> first = OpenShown(request, why);
    if (!first) return false;
    if (MeanOfOuterStrip(*first, layout, solid)) return true;
    why = first->Error();
    return false;
}

// The preview, when one is asked for: the picture and its file's writer.
struct PreviewOutput {
    std::unique_ptr<Preview> picture;
    std::unique_ptr<RowSink> sink;
    std::vector<uint8_t> row;
};

// Every row of the file, from the shown image, to the writer and the preview:
// in the image's order where the writer takes rows in any order and no
// preview, which takes them in order, is made.
bool WriteRows(const PrintRequest& request, RowSource& shown, const PrintLayout& layout, const Pixel& solid,
               RowSink& sink, PreviewOutput& preview, Failure& failure) {
    const RowOrder order = sink.TakesAnyOrder() && !preview.picture ? RowOrder::Image : RowOrder::File;
    EdgeComposer composer(shown, layout, request.edge, solid, order);
    std::unique_ptr<FoldMarks> marks;
    if (request.marks) marks = std::make_unique<FoldMarks>(layout, shown.Info().format);
    const int64_t high = layout.y.Total();
    std::vector<uint8_t> row(layout.x.Total() * shown.Info().format.BytesPerPixel());
    for (int64_t made = 0; made < high; ++made) {
        int64_t y;
        if (!composer.NextRow(row.data(), y)) {
            failure = {request.input, shown.Error()};
            return false;
        }
        if (marks) marks->Draw(row.data(), y);
        if (preview.picture && preview.picture->AddRow(row.data(), preview.row.data()) &&
            !preview.sink->WriteRow(preview.row.data())) {
            failure = {request.preview, preview.sink->Error()};
            return false;
        }
        if (!sink.WriteRowAt(y, row.data())) {
            failure = {request.output, sink.Error()};
            return false;
        }
        if (request.progress && ((made + 1) % kProgressEvery == 0 || made + 1 == high)) {
            request.progress(made + 1, high, request.progressContext);
        }
    }
    return true;
}

}  // namespace

bool MakePrintFile(const PrintRequest& request, std::string& error, PrintedFile* made) {
    Failure failure;
    const auto fail = [&error](const Failure& f) {
        error = "corvalin-calc: " + f.file + ": " + f.why;
        return false;
    };
    FileKind kind;
    if (!CheckRequest(request, kind, failure)) return fail(failure);
    std::string why;
    const std::unique_ptr<RowSource> shown = OpenShown(request, why);
    if (!shown) return fail({request.input, why});
    const ImageInfo& info = shown->Info();
    const std::string limit = FormatLimit(kind, info.format);
    if (!limit.empty()) return fail({request.output, limit});
    const PrintLayout layout = LayOut({info.wide, info.high, request.faceWidth, request.faceLength, request.side,
                                       request.turnOver, request.margin, request.edge});
    if (!CheckLayout(request, layout, info.format, failure)) return fail(failure);
    Pixel solid;
    if (request.edge == EdgeKind::Solid && !SolidColourOf(request, layout, info.format, solid, why)) {
        return fail({request.input, why});
    }

    PendingFile output(request.output), previewFile(request.preview);
    const std::unique_ptr<RowSink> sink =
        StartWriter(kind, output, {layout.x.Total(), layout.y.Total(), info.format, &info.icc, layout.ppi}, request, why);
    if (!sink) return fail({request.output, why});
    PreviewOutput preview;
    const std::vector<uint8_t> noProfile;
    if (!request.preview.empty()) {
        preview.picture = std::make_unique<Preview>(layout, info.format);
        const OutputImage picture{preview.picture->Wide(), preview.picture->High(), {ColorKind::Rgb, false, 8},
                                  &noProfile, {0, 0}};
        preview.sink = StartWriter(FileKind::Png, previewFile, picture, request, why);
        if (!preview.sink) return fail({request.preview, why});
        preview.row.resize(picture.wide * 3);
    }
    if (!WriteRows(request, *shown, layout, solid, *sink, preview, failure)) return fail(failure);

    // Both files complete before either takes its place.
    if (!sink->Finish()) return fail({request.output, sink->Error()});
    if (preview.sink && !preview.sink->Finish()) return fail({request.preview, preview.sink->Error()});
    if (preview.sink && !previewFile.Commit()) return fail({request.preview, CannotWrite("")});
    if (!output.Commit()) return fail({request.output, CannotWrite("")});
    if (made) *made = {info.wide, info.high, info.ppi, layout};
    return true;
}
