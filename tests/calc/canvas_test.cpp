#include "calc/canvas.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/golden_table.h"

namespace {

Nanometres Inches(const char* text) {
    return *ReadLength(text);
}

const char* NameOf(const StockSheet* sheet) {
    return sheet ? sheet->name : "none";
}

const char* NameOf(const StockRoll* roll) {
    return roll ? roll->name : "none";
}

// The window's calculation in single precision and the exact one give the
// same eight texts for every size the window offers: the golden table.
TEST(CanvasFor, AgreesWithTheWindowsCalculationOnEveryOfferedSize) {
    for (const GoldenRow& row : GoldenRows()) {
        std::vector<Text> exact(8);
        for (WrapMethod method : {WrapMethod::Regular, WrapMethod::Staple}) {
            const size_t staple = method == WrapMethod::Staple ? 1 : 0;
            const std::optional<Canvas> canvas = CanvasFor(row.bar, method, Inches(row.width.c_str()),
                                                           Inches(row.length.c_str()));
            if (!canvas) continue;
            exact[2 * staple] = LengthText(canvas->width, Unit::Inch);
            exact[2 * staple + 1] = LengthText(canvas->length, Unit::Inch);
            exact[4 + staple] = NameOf(SheetFor(*canvas));
            exact[6 + staple] = NameOf(NarrowestRoll(*canvas, 0));
        }
        EXPECT_EQ(exact, row.results) << BarTitle(row.bar) << ' ' << row.width << " x " << row.length;
        EXPECT_EQ(exact, ResultTexts(CalculateWrap(row.bar, row.width, row.length)));
    }
}

// The exact lengths of each bar are the window's single-precision ones.
TEST(CanvasFor, AddsTheWindowsBarLengths) {
    for (BarType bar : {BarType::Standard125, BarType::Pro175, BarType::PreNotched}) {
        const BarConstants window = BarConstantsOf(bar);
        const auto nanometres = [](double inches) { return std::llround(inches * kNanometresPerInch); };
        const std::optional<Canvas> regular = CanvasFor(bar, WrapMethod::Regular, 0, 0);
        EXPECT_EQ(regular.has_value(), !window.preNotched);
        EXPECT_EQ(regular.value_or(Canvas{0, 0}).width, window.preNotched ? 0 : nanometres(2.0 * window.depth));
        EXPECT_EQ(CanvasFor(bar, WrapMethod::Staple, 0, 1)->length,
                  1 + nanometres(2.0 * window.depth + window.stapleExtra));
        EXPECT_EQ(FaceMargin(bar, WrapMethod::Regular), nanometres(window.depth));
        EXPECT_EQ(FaceMargin(bar, WrapMethod::Staple), nanometres(window.depth + window.stapleExtra / 2.0));
    }
}

// A sheet holds a canvas up to its sides and never turned; a roll holds one
// whose smaller side is up to its width less the margins.
TEST(CanvasFor, FindsTheSheetAndTheRollAtTheirEdges) {
    EXPECT_STREQ(NameOf(SheetFor({Inches("13"), Inches("19")})), "13 x 19");
    EXPECT_STREQ(NameOf(SheetFor({Inches("13") + 1, Inches("19")})), "17 x 22");
    EXPECT_STREQ(NameOf(SheetFor({Inches("13"), Inches("19") + 1})), "17 x 22");
    EXPECT_STREQ(NameOf(SheetFor({Inches("8.5"), Inches("11")})), "8.5 x 11");
    EXPECT_STREQ(NameOf(SheetFor({Inches("22"), Inches("17")})), "none");
    const char* const rolls[] = {"17", "24", "36", "42", "44", "50", "54", "60", "64", "none"};
    ASSERT_EQ(StandardRolls().size(), 9u);
    for (size_t i = 0; i < 9; ++i) {
        const Nanometres width = Inches(rolls[i]);
        EXPECT_STREQ(StandardRolls()[i].name, rolls[i]);
        EXPECT_EQ(StandardRolls()[i].width, width);
        // The window's calculation names the same roll for a canvas as wide.
        const Text finished = LengthText(width - Inches("2.5"), Unit::Inch);
        EXPECT_EQ(CalculateWrap(BarType::Standard125, finished, finished).regularRoll, rolls[i]);
        EXPECT_STREQ(NameOf(NarrowestRoll({width, Inches("500")}, 0)), rolls[i]);
        EXPECT_STREQ(NameOf(NarrowestRoll({Inches("500"), width + 1}, 0)), rolls[i + 1]);
        // Half an inch at each edge: a canvas an inch narrower than the roll fits exactly.
        EXPECT_STREQ(NameOf(NarrowestRoll({width - Inches("1"), Inches("500")}, Inches(".5"))), rolls[i]);
        EXPECT_STREQ(NameOf(NarrowestRoll({width - Inches("1"), Inches("500")}, Inches(".50001"))), rolls[i + 1]);
    }
}

}  // namespace
