// The optical code that tells the keyboard which overlay lies on it: eight dots along the code line,
// white for a 1 bit and black for a 0, most significant bit first, with a three-line legend beside
// them. The geometry is plain functions of the printer's scales; the Draw functions only paint it.
#pragma once
#include "editor/KeyGrid.h"
#include "editor/OverlayPrintPlan.h"
#include <windows.h>
#include <array>
#include <string>
#include <vector>

struct KeyboardSettings;

struct CodeDot {
    POINT centre{};
    int halfWidth = 0;
    int halfHeight = 0;
    bool white = false;

    // The ellipse's bounding box, as Ellipse takes it.
    RECT Box() const
    {
        return RECT{centre.x - halfWidth, centre.y - halfHeight, centre.x + halfWidth, centre.y + halfHeight};
    }
};

constexpr int kCodeDots = 8;

// The dots of an overlay number (1-127) in device units, each millimetre product truncated once.
std::array<CodeDot, kCodeDots> OpticalCodeDots(int number, const PrintDevice& device, POINT origin,
                                               const PrintGeometry& geometry);

// Where the legend goes: its first line's top-left, the font's character height and the step from
// one line to the next, in device units.
struct LegendPlacement {
    POINT topLeft{};
    int textHeight = 0;
    int lineStep = 0;
};
LegendPlacement PlaceLegend(const PrintDevice& device, POINT origin, const PrintGeometry& geometry);

// The legend's lines: the overlay's number and name, its set, and its key timing when that is not
// the plain default (anyRepeat: some key block repeats).
std::vector<std::string> LegendLines(int number, const std::string& overlayName, const std::string& setName,
                                     const KeyboardSettings& settings, bool anyRepeat);

// Paints the dots (outlined in the current pen) and the legend lines in the font face given.
void DrawOpticalCode(HDC dc, const std::array<CodeDot, kCodeDots>& dots);
void DrawLegend(HDC dc, const LegendPlacement& placement, const std::string& fontName,
                const std::vector<std::string>& lines);

// The margin wizard's test print: eight white dots, a vertical line through the first dot's centre
// reaching one dot height above and below the code line, a horizontal line along the code line from
// the page origin's x to the eighth dot's right edge, and one line of text where the legend goes.
struct TestPrintFigure {
    std::array<CodeDot, kCodeDots> dots{};
    POINT verticalFrom{}, verticalTo{};
    POINT horizontalFrom{}, horizontalTo{};
    LegendPlacement text;
};
TestPrintFigure PlanTestPrint(const PrintDevice& device, POINT origin, const PrintGeometry& geometry);
void DrawTestPrint(HDC dc, const TestPrintFigure& figure, const std::string& fontName, const std::string& text);
