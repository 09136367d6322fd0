#include "print/solid_colour.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int Colours(const PixelFormat& format) {
    return format.Channels() - (format.alpha ? 1 : 0);
}

void PutSample(Pixel& pixel, int channel, uint32_t value, int bits) {
    if (bits == 8) {
        pixel[channel] = static_cast<uint8_t>(value);
    } else {
        const uint16_t wide = static_cast<uint16_t>(value);
        std::memcpy(&pixel[2 * channel], &wide, 2);
    }
}

uint32_t SampleOf(const uint8_t* pixel, int channel, int bits) {
    if (bits == 8) return pixel[channel];
    uint16_t value;
    std::memcpy(&value, pixel + 2 * channel, 2);
    return value;
}

Pixel Opaque(const PixelFormat& format) {
    Pixel pixel(format.BytesPerPixel(), 0);
    if (format.alpha) PutSample(pixel, Colours(format), format.bits == 8 ? 0xFF : 0xFFFF, format.bits);
    return pixel;
}

}  // namespace

bool ParseSolidColour(const std::string& hex, const PixelFormat& format, Pixel& colour, std::string& error) {
    const int colours = Colours(format);
    const char* kind = format.color == ColorKind::Grey ? "a grey" : format.color == ColorKind::Rgb ? "an RGB" : "a CMYK";
    const bool digits = hex.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    if (!digits || hex.size() != static_cast<size_t>(2 * colours)) {
        error = "the edge colour \"" + hex + "\" is not " + std::to_string(2 * colours) + " hex digits, one byte per channel of " +
                kind + " image";
        return false;
    }
    colour = Opaque(format);
    for (int c = 0; c < colours; ++c) {
        const uint32_t byte = std::strtoul(hex.substr(2 * c, 2).c_str(), nullptr, 16);
        PutSample(colour, c, format.bits == 8 ? byte : byte * 257, format.bits);
    }
    return true;
}

bool MeanOfOuterStrip(RowSource& shown, const PrintLayout& layout, Pixel& colour) {
    const PixelFormat& format = shown.Info().format;
    const int colours = Colours(format), pixelBytes = format.BytesPerPixel();
    const LayoutAxis& x = layout.x;
    const LayoutAxis& y = layout.y;
    const int64_t sideX = x.faceFold - x.turnFold, sideY = y.faceFold - y.turnFold;
    std::vector<uint8_t> row(shown.Info().wide * pixelBytes);
    std::vector<uint64_t> sums(colours, 0);
    uint64_t count = 0;
    for (int64_t skip = 0; skip < y.skip; ++skip) {
        if (!shown.ReadRow(row.data())) return false;
    }
    for (int64_t fy = 0; fy < y.face; ++fy) {
        if (!shown.ReadRow(row.data())) return false;
        const bool wholeRow = fy < sideY || fy >= y.face - sideY;
        for (int64_t fx = 0; fx < x.face; ++fx) {
            // Inside the strip's inner edge: go on to the right-hand strip.
            if (!wholeRow && fx == sideX && x.face - sideX > fx) fx = x.face - sideX;
            const uint8_t* pixel = row.data() + (x.skip + fx) * pixelBytes;
            for (int c = 0; c < colours; ++c) sums[c] += SampleOf(pixel, c, format.bits);
            ++count;
        }
    }
    colour = Opaque(format);
    for (int c = 0; c < colours; ++c) PutSample(colour, c, static_cast<uint32_t>((sums[c] + count / 2) / count), format.bits);
    return true;
}
