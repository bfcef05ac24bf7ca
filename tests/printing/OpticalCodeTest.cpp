// The optical code's dots, its legend and the margin wizard's figure and arithmetic, as tables.
#include "editor/MarginMeasure.h"
#include "editor/OverlayPrintCode.h"
#include "resources/skarpin/resource.h"
#include "store/KeyboardSettings.h"
#include <gtest/gtest.h>

namespace {

PrintDevice Device300()
{
    PrintDevice device;
    device.xScale = 300 / 25.4;
    device.yScale = 300 / 25.4;
    device.physicalOffset = POINT{75, 75};
    return device;
}

std::string Colours(const std::array<CodeDot, kCodeDots>& dots)
{
    std::string colours;
    for (const CodeDot& dot : dots)
        colours += dot.white ? 'W' : 'B';
    return colours;
}

} // namespace

TEST(OpticalCode, TheDotsWriteTheNumberMostSignificantBitFirstWhiteForOne)
{
    struct Case {
        int number;
        const char* colours;
    } cases[] = {
        {5, "BBBBBWBW"}, {1, "BBBBBBBW"}, {127, "BWWWWWWW"}, {85, "BWBWBWBW"}, {100, "BWWBBWBB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.colours, Colours(OpticalCodeDots(c.number, Device300(), POINT{0, 0}, PrintGeometry::ForPaper(0))))
            << c.number;
}

TEST(OpticalCode, TheDotsStandOnTheCodeLineOfThePaperFormatAtTheirPitch)
{
    // At 300 dpi: 13 mm is 153.5 dots, 10 mm 118.1, 18 mm 212.6, 276 mm 3259.8, 258 mm 3047.2.
    struct Case {
        int letter;
        POINT origin;
        int centreY;
        int firstX;
    } cases[] = {
        {0, {0, 0}, 3259, 153},
        {1, {0, 0}, 3047, 153},
        {0, {-75, -75}, 3184, 78},
        {1, {-51, -63}, 2984, 102},
    };
    const int steps[kCodeDots] = {0, 118, 236, 354, 472, 590, 708, 826};
    for (const Case& c : cases) {
        const auto dots = OpticalCodeDots(5, Device300(), c.origin, PrintGeometry::ForPaper(c.letter));
        for (int i = 0; i < kCodeDots; ++i) {
            const CodeDot& dot = dots[static_cast<size_t>(i)];
            EXPECT_EQ(c.firstX + steps[i], dot.centre.x) << "letter " << c.letter << " dot " << i;
            EXPECT_EQ(c.centreY, dot.centre.y) << "letter " << c.letter << " dot " << i;
            EXPECT_EQ(59, dot.halfWidth);
            EXPECT_EQ(106, dot.halfHeight);
        }
        const RECT box = dots[0].Box();
        EXPECT_EQ(c.firstX - 59, box.left);
        EXPECT_EQ(c.centreY + 106, box.bottom);
    }
}

TEST(OpticalCode, TheLegendShowsNumberNameSetAndTheKeyTimingThatIsSet)
{
    struct Case {
        bool repeat;
        float signalDelay;
        float bounceLock;
        const char* third; // empty: no third line
    } cases[] = {
        {true, 0.3f, 0.0f, "FD: 1.5 RT: 0.7, AF: 0.3"},
        {true, 0.0f, 0.2f, "FD: 1.5 RT: 0.7, SS: 0.2"},
        // With both set, a repeating block shows the signal delay, not the bounce lock.
        {true, 0.3f, 0.2f, "FD: 1.5 RT: 0.7, AF: 0.3"},
        {false, 0.3f, 0.0f, "AF: 0.3"},
        {false, 0.3f, 0.2f, "AF: 0.3"},
        {false, 0.0f, 0.2f, "SS: 0.2"},
        {true, 0.0f, 0.0f, "FD: 1.5 RT: 0.7"},
        {false, 0.0f, 0.0f, ""},
    };
    for (const Case& c : cases) {
        KeyboardSettings settings;
        settings.repeatDelay_ = 1.5f;
        settings.frequency_ = 0.7f;
        settings.signalDelay_ = c.signalDelay;
        settings.bounceLock_ = c.bounceLock;
        const std::vector<std::string> lines = LegendLines(5, "Frukt", "Mat", settings, c.repeat);
        ASSERT_EQ(std::string(c.third).empty() ? 2u : 3u, lines.size()) << c.third;
        EXPECT_EQ("\xD6verl\xE4gg 5: Frukt", lines[0]);
        EXPECT_EQ("Set: Mat", lines[1]);
        if (lines.size() == 3) {
            EXPECT_EQ(c.third, lines[2]);
        }
    }
}

TEST(OpticalCode, TheLegendStandsBesideTheCodeThreeMillimetresHigh)
{
    // 103 mm is 1216.5 dots, 267 mm (A4 code line - 9) 3153.5, 249 mm (Letter) 2940.9; 3 mm 35.4.
    const LegendPlacement a4 = PlaceLegend(Device300(), POINT{-75, -75}, PrintGeometry::ForPaper(0));
    EXPECT_EQ(1216 - 75, a4.topLeft.x);
    EXPECT_EQ(3153 - 75, a4.topLeft.y);
    EXPECT_EQ(35, a4.textHeight);
    EXPECT_EQ(40, a4.lineStep); // 35 dots and half a millimetre (5.9), truncated
    const LegendPlacement letter = PlaceLegend(Device300(), POINT{0, 0}, PrintGeometry::ForPaper(1));
    EXPECT_EQ(2940, letter.topLeft.y);
}

TEST(OpticalCode, TheTestPrintHasWhiteDotsACrossThroughTheFirstAndItsText)
{
    const TestPrintFigure figure = PlanTestPrint(Device300(), POINT{-75, -75}, PrintGeometry::ForPaper(0));
    EXPECT_EQ("WWWWWWWW", Colours(figure.dots));
    const POINT first = figure.dots[0].centre;
    EXPECT_EQ(first.x, figure.verticalFrom.x);
    EXPECT_EQ(first.x, figure.verticalTo.x);
    EXPECT_EQ(3047 - 75, figure.verticalFrom.y); // 258 mm: the code line less one dot height
    EXPECT_EQ(3472 - 75, figure.verticalTo.y);   // 294 mm
    EXPECT_EQ(-75, figure.horizontalFrom.x);
    EXPECT_EQ(first.y, figure.horizontalFrom.y);
    EXPECT_EQ(figure.dots[7].centre.x + 59, figure.horizontalTo.x);
    EXPECT_EQ(first.y, figure.horizontalTo.y);
    EXPECT_EQ(1216 - 75, figure.text.topLeft.x);
}

TEST(MarginMeasure, OnlyNumbersAsARulerReadsThemArePassed)
{
    struct Case {
        const char* x;
        const char* y;
        UINT complaint;
    } cases[] = {
        {"13", "21", 0},
        {"15.5", "20", 0},
        {".5", "3.", 0},
        // A Swedish user writes a decimal comma.
        {"1,5", "21", 0},
        {"13", "20,5", 0},
        {"1,5,1", "21", IDS_MARGIN_BAD_X},
        {"13 mm", "21", IDS_MARGIN_BAD_X},
        {"14", "2 1", IDS_MARGIN_BAD_Y},
        {"-1", "x", IDS_MARGIN_BAD_BOTH},
        {"", "21", IDS_MARGIN_EMPTY},
        {"14", "", IDS_MARGIN_EMPTY},
        {"", "abc", IDS_MARGIN_EMPTY},
        // Two points would be read as the number before the second one.
        {"1.2.3", "21", IDS_MARGIN_BAD_X},
        {".", "21", IDS_MARGIN_BAD_X},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.complaint, CheckMeasurements(c.x, c.y)) << '"' << c.x << "\" \"" << c.y << '"';
}

// The uncorrected test print stands the first dot's centre 13 mm from the sheet's left edge (the
// code's left) and the code line 21 mm above its bottom edge: measured there, nothing is corrected.
TEST(MarginMeasure, TheCorrectionsMoveTheCodeTo13And21Millimetres)
{
    struct Case {
        const char* x;
        const char* y;
        float left;
        float top;
    } cases[] = {
        {"13", "21", 0.0f, 0.0f},
        {"14.5", "20", -1.5f, -1.0f},
        {"12", "22.5", 1.0f, 1.5f},
        {"14,5", "20,5", -1.5f, -0.5f},
    };
    for (const Case& c : cases) {
        const MarginCorrections corrections = CorrectionsFrom(c.x, c.y);
        EXPECT_FLOAT_EQ(c.left, corrections.left) << c.x;
        EXPECT_FLOAT_EQ(c.top, corrections.top) << c.y;
    }
}
