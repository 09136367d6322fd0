#include "cli/image_fit.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Worked out by hand. The front face is the canvas less the margin on every
// side; its rectangle holds only pixels that show whole on it.
TEST(ImageFit, GivesTheResolutionTheCropAndTheFrontFace) {
    struct Case {
        ImageSize image;
        const char *width, *length, *margin;
        ImageFit fit;
    };
    const Case cases[] = {
        // 150 ppi is the minimum, not below it; the face runs from 187.5 to 1312.5.
        {{1500, 1500}, "10", "10", "1.25", {1500, false, 0, 0, 188, 188, 1124, 1124}},
        {{1499, 1499}, "10", "10", "1.25", {1499, true, 0, 0, 188, 188, 1123, 1123}},
        // 149.955 ppi shows as 149.9 and is below 150 all the same.
        {{1500, 1500}, "10.003", "10.003", "1.25", {1499, true, 0, 0, 188, 188, 1124, 1124}},
        // 200 ppi: the face starts exactly at pixel 350 and is 24 x 36 in.
        {{5500, 7900}, "27.5", "39.5", "1.75", {2000, false, 0, 0, 350, 350, 4800, 7200}},
        // An upright image on a wide canvas: 2000 / 27.5 = 72.73 ppi; the
        // height keeps 1563.64 of 3000 pixels, cropped 718.18 above.
        {{2000, 3000}, "27.5", "21.5", "1.25", {727, true, 0, 1437, 91, 810, 1818, 1380}},
        // A wide image on a square canvas: 100 ppi, 500 pixels off each side.
        {{2000, 1000}, "10", "10", "1.25", {1000, true, 1000, 0, 625, 125, 750, 750}},
        // A face of 0.01 in at 3.59 ppi runs from 4.48 to 4.52: no whole pixel.
        {{9, 9}, "2.51", "2.51", "1.25", {35, true, 0, 0, 5, 5, 0, 0}},
    };
    const auto fields = [](const ImageFit& f) {
        return std::tuple(f.ppiTenths, f.belowMinimum, f.cropWide, f.cropHigh, f.frontLeft, f.frontTop, f.frontWide,
                          f.frontHigh);
    };
    for (const Case& c : cases) {
        const Canvas canvas = {*ReadLength(c.width), *ReadLength(c.length)};
        EXPECT_EQ(fields(FitImage(c.image, canvas, *ReadLength(c.margin), 150)), fields(c.fit))
            << c.image.wide << "x" << c.image.high << " on " << c.width << " x " << c.length;
    }
}

}  // namespace
