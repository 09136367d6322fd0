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
        if (!ReplaceFile(temporary_, final_)) return false;
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

}  // namespace

bool MakePrintFile(const PrintRequest& request, std::string& error) {
    const auto fail = [&error](const std::string& file, const std::string& why) {
        error = "corvalin-calc: " + file + ": " + why;
        return false;
    };
    if (request.faceWidth <= 0 || request.faceLength <= 0 || request.side < 0 || request.turnOver < 0 ||
        request.margin < 0) {
        return fail(request.output, "the face must have a size, and the side, turn-over and margin none below 0");
    }
    FileKind kind;
    if (!KindOfName(request.output, kind)) return fail(request.output, "its name must end in .tif, .tiff, .jpg, .jpeg or .png");
    if (kind == FileKind::Jpeg && (request.quality < 1 || request.quality > 100)) {
        return fail(request.output, "the JPEG quality must be 1 to 100");
    }
    for (const std::string* named : {&request.output, &request.preview}) {
        if (named->empty()) continue;
        if (*named == request.input || SameFile(*named, request.input)) {
            return fail(*named, "is the image itself: the image is never written over");
        }
    }
    if (!request.preview.empty() && (request.preview == request.output || SameFile(request.preview, request.output))) {
        return fail(request.preview, "is the print file too: name the preview another file");
    }
    if (request.marks && request.turnOver == 0 && request.margin == 0) {
        return fail(request.output,
                    "fold marks on the regular wrap would show on the canvas: ask for a margin outside it, or use "
                    "the staple method, whose turn-over hides them");
    }

    std::string why;
    std::unique_ptr<RowSource> shown = OpenShown(request, why);
    if (!shown) return fail(request.input, why);
    const ImageInfo& info = shown->Info();
    const std::string limit = FormatLimit(kind, info.format);
    if (!limit.empty()) return fail(request.output, limit);

    const PrintLayout layout = LayOut({info.wide, info.high, request.faceWidth, request.faceLength, request.side,
                                       request.turnOver, request.margin, request.edge});
    if (layout.x.face < 1 || layout.y.face < 1) {
        return fail(request.input, "the face would hold no whole pixel of it: its proportions are too far from the face's");
    }
    const int64_t wide = layout.x.Total(), high = layout.y.Total();
    if (wide > kLargestSide || high > kLargestSide) {
        return fail(request.output, "it would be " + std::to_string(wide) + " x " + std::to_string(high) +
                                        " pixels, over the 1,000,000 a side this program writes");
    }
    const int pixelBytes = info.format.BytesPerPixel();
    if (request.edge == EdgeKind::Mirror && std::min(layout.y.band, layout.y.face) * layout.x.face * pixelBytes > kLargestHeldRows) {
        return fail(request.input, "the mirrored edges would hold over 1 GB of the image in memory");
    }

    Pixel solid;
    if (request.edge == EdgeKind::Solid) {
        if (request.colour.empty() || request.colour == "auto") {
            // A first pass over the image, read again rather than held.
            std::unique_ptr<RowSource> first = OpenShown(request, why);
            if (!first) return fail(request.input, why);
            if (!MeanOfOuterStrip(*first, layout, solid)) return fail(request.input, first->Error());
        } else if (!ParseSolidColour(request.colour, info.format, solid, why)) {
            return fail(request.input, why);
        }
    }

    PendingFile output(request.output);
    const std::vector<uint8_t> noProfile;
    std::unique_ptr<RowSink> sink = StartWriter(kind, output, {wide, high, info.format, &info.icc, layout.ppi}, request, why);
    if (!sink) return fail(request.output, why);

    PendingFile previewFile(request.preview);
    std::unique_ptr<Preview> preview;
    std::unique_ptr<RowSink> previewSink;
    std::vector<uint8_t> previewRow;
    if (!request.preview.empty()) {
        preview = std::make_unique<Preview>(layout, info.format);
        const OutputImage picture{preview->Wide(), preview->High(), {ColorKind::Rgb, false, 8}, &noProfile, {0, 0}};
        previewSink = StartWriter(FileKind::Png, previewFile, picture, request, why);
        if (!previewSink) return fail(request.preview, why);
        previewRow.resize(preview->Wide() * 3);
    }

    EdgeComposer composer(*shown, layout, request.edge, solid);
    std::unique_ptr<FoldMarks> marks;
    if (request.marks) marks = std::make_unique<FoldMarks>(layout, info.format);
    std::vector<uint8_t> row(wide * pixelBytes);
    for (int64_t y = 0; y < high; ++y) {
        if (!composer.NextRow(row.data())) return fail(request.input, shown->Error());
        if (marks) marks->Draw(row.data(), y);
        if (preview && preview->AddRow(row.data(), previewRow.data()) && !previewSink->WriteRow(previewRow.data())) {
            return fail(request.preview, previewSink->Error());
        }
        if (!sink->WriteRow(row.data())) return fail(request.output, sink->Error());
        if (request.progress && ((y + 1) % kProgressEvery == 0 || y + 1 == high)) {
            request.progress(y + 1, high, request.progressContext);
        }
    }
    if (!sink->Finish()) return fail(request.output, sink->Error());
    if (previewSink && !previewSink->Finish()) return fail(request.preview, previewSink->Error());
    if (previewSink && !previewFile.Commit()) return fail(request.preview, CannotWrite(""));
    if (!output.Commit()) return fail(request.output, CannotWrite(""));
    return true;
}
