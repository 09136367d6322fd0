#include "print/oriented_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "print/files.h"

namespace {

// The block of stored rows held while they are turned into columns. Each
// block costs a write per column, so larger blocks are faster.
constexpr int64_t kBlockBytes = 16 << 20;

void MirrorRow(uint8_t* row, int64_t wide, int pixelBytes) {
    uint8_t pixel[16];
    for (int64_t left = 0, right = wide - 1; left < right; ++left, --right) {
        std::memcpy(pixel, row + left * pixelBytes, pixelBytes);
        std::memcpy(row + left * pixelBytes, row + right * pixelBytes, pixelBytes);
        std::memcpy(row + right * pixelBytes, pixel, pixelBytes);
    }
}

class MirroredSource : public RowSource {
public:
    explicit MirroredSource(std::unique_ptr<RowSource> stored) : stored_(std::move(stored)) {
        info_ = stored_->Info();
        info_.orientation = 1;
    }
    bool ReadRow(uint8_t* row) override {
        if (!stored_->ReadRow(row)) {
            error_ = stored_->Error();
            return false;
        }
        MirrorRow(row, info_.wide, info_.format.BytesPerPixel());
        return true;
    }

private:
    std::unique_ptr<RowSource> stored_;
};

// The shown image, written to a scratch file in the shown rows' order and
// then read back from it row by row.
class ScratchSource : public RowSource {
public:
    ScratchSource(std::unique_ptr<RowSource> stored, FILE* scratch) : stored_(std::move(stored)), scratch_(scratch) {
        info_ = stored_->Info();
        info_.orientation = 1;
        if (stored_->Info().orientation >= 5) std::swap(info_.wide, info_.high);
    }
    ~ScratchSource() override { std::fclose(scratch_); }

    bool Fill() {
        const int orientation = stored_->Info().orientation;
        const bool filled = orientation >= 5 ? Transpose(orientation) : FlipRows(orientation);
        return filled && std::fflush(scratch_) == 0 && SeekFile(scratch_, 0) && !std::ferror(scratch_)
                   ? true
                   : FailedScratch();
    }

    bool ReadRow(uint8_t* row) override {
        const size_t bytes = info_.wide * info_.format.BytesPerPixel();
        if (std::fread(row, 1, bytes, scratch_) == bytes) return true;
        return FailedScratch();
    }

private:
    bool ReadStored(uint8_t* row) {
        if (stored_->ReadRow(row)) return true;
        error_ = stored_->Error();
        return false;
    }

    // 3 and 4: each row goes to its place from the bottom; 3 mirrors it too.
    bool FlipRows(int orientation) {
        const int pixelBytes = info_.format.BytesPerPixel();
        const int64_t rowBytes = info_.wide * pixelBytes;
        std::vector<uint8_t> row(rowBytes);
        for (int64_t y = 0; y < info_.high; ++y) {
            if (!ReadStored(row.data())) return false;
            if (orientation == 3) MirrorRow(row.data(), info_.wide, pixelBytes);
            if (!SeekFile(scratch_, (info_.high - 1 - y) * rowBytes) ||
                std::fwrite(row.data(), 1, rowBytes, scratch_) != static_cast<size_t>(rowBytes)) {
                return FailedScratch();
            }
        }
        return true;
    }

    // 5 to 8: stored column x becomes shown row x (5, 6) or the one that many
    // from the bottom (7, 8); stored row y becomes shown column y (5, 8) or
    // that many from the right (6, 7). A block of stored rows gives each
    // shown row a run of pixels, written in one piece.
    bool Transpose(int orientation) {
        const int pixelBytes = info_.format.BytesPerPixel();
        const int64_t storedWide = info_.high, storedHigh = info_.wide;
        const int64_t storedRow = storedWide * pixelBytes;
        const int64_t block = std::clamp<int64_t>(kBlockBytes / storedRow, 1, storedHigh);
        const bool rowsDown = orientation == 5 || orientation == 6;
        const bool columnsRight = orientation == 5 || orientation == 8;
        std::vector<uint8_t> rows(block * storedRow);
        std::vector<uint8_t> run(block * pixelBytes);
        for (int64_t top = 0; top < storedHigh; top += block) {
            const int64_t count = std::min(block, storedHigh - top);
            for (int64_t i = 0; i < count; ++i) {
                if (!ReadStored(rows.data() + i * storedRow)) return false;
            }
            const int64_t left = columnsRight ? top : storedHigh - top - count;
            for (int64_t x = 0; x < storedWide; ++x) {
                for (int64_t i = 0; i < count; ++i) {
                    const int64_t at = columnsRight ? i : count - 1 - i;
                    std::memcpy(run.data() + at * pixelBytes, rows.data() + i * storedRow + x * pixelBytes, pixelBytes);
                }
                const int64_t shownRow = rowsDown ? x : storedWide - 1 - x;
                if (!SeekFile(scratch_, (shownRow * info_.wide + left) * pixelBytes) ||
                    std::fwrite(run.data(), 1, count * pixelBytes, scratch_) != static_cast<size_t>(count * pixelBytes)) {
                    return FailedScratch();
                }
            }
        }
        return true;
    }

    bool FailedScratch() {
        if (error_.empty()) error_ = std::string("the scratch file for turning the image failed: ") + std::strerror(errno);
        return false;
    }

    std::unique_ptr<RowSource> stored_;
    FILE* scratch_;
};

}  // namespace

std::unique_ptr<RowSource> Oriented(std::unique_ptr<RowSource> stored, const std::string& scratchBeside,
                                    std::string& error) {
    const int orientation = stored->Info().orientation;
    if (orientation == 1) return stored;
    if (orientation == 2) return std::make_unique<MirroredSource>(std::move(stored));
    FILE* scratch = OpenScratchBeside(scratchBeside);
    if (!scratch) {
        error = std::string("no scratch file for turning the image can be made: ") + std::strerror(errno);
        return nullptr;
    }
    auto shown = std::make_unique<ScratchSource>(std::move(stored), scratch);
    if (!shown->Fill()) {
        error = shown->Error();
        return nullptr;
    }
    return shown;
}
