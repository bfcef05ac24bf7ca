// Geometry and painting of the optical code, its legend and the margin wizard's test figure.
#include "editor/OverlayPrintCode.h"
#include "framework/Gdi.h"
#include "framework/Strings.h"
#include "library/IniValues.h"
#include "resources/skarpin/resource.h"
#include "store/KeyboardSettings.h"

namespace {

// The legend stands 90 mm right of the code's left edge and 9 mm above the code line.
constexpr int kLegendRightOfCode = 90;
constexpr int kLegendAboveCodeLine = 9;
constexpr int kLegendTextHeight = 3;
constexpr double kLegendLineGap = 0.5;

int Truncated(double value)
{
    return static_cast<int>(value);
}

} // namespace

std::array<CodeDot, kCodeDots> OpticalCodeDots(int number, const PrintDevice& device, POINT origin,
                                               const PrintGeometry& geometry)
{
    const double a = device.xScale;
    const double c = device.yScale;
    const int centreY = Truncated(c * geometry.codeLine) + origin.y;
    const int firstX = Truncated(a * geometry.codeLeft) + origin.x;
    std::array<CodeDot, kCodeDots> dots{};
    for (int i = 0; i < kCodeDots; ++i) {
        CodeDot& dot = dots[static_cast<size_t>(i)];
        dot.centre = POINT{Truncated(geometry.codeDotWidth * i * a) + firstX, centreY};
        dot.halfWidth = Truncated(geometry.codeDotWidth * a) / 2;
        dot.halfHeight = Truncated(geometry.codeDotHeight * c) / 2;
        dot.white = ((number >> (kCodeDots - 1 - i)) & 1) != 0;
    }
    return dots;
}

LegendPlacement PlaceLegend(const PrintDevice& device, POINT origin, const PrintGeometry& geometry)
{
    LegendPlacement placement;
    placement.topLeft.x = Truncated((geometry.codeLeft + kLegendRightOfCode) * device.xScale) + origin.x;
    placement.topLeft.y = Truncated(device.yScale * (geometry.codeLine - kLegendAboveCodeLine)) + origin.y;
    placement.textHeight = Truncated(device.yScale * kLegendTextHeight);
    placement.lineStep = Truncated(placement.textHeight + kLegendLineGap * device.yScale);
    return placement;
}

std::vector<std::string> LegendLines(int number, const std::string& overlayName, const std::string& setName,
                                     const KeyboardSettings& settings, bool anyRepeat)
{
    std::vector<std::string> lines;
    lines.push_back(fw::FormatResString(IDS_PRINT_LEGEND_OVERLAY, number, overlayName.c_str()));
    lines.push_back(fw::FormatResString(IDS_PRINT_LEGEND_SET, setName.c_str()));
    const bool signalDelay = settings.signalDelay_ != 0;
    const bool bounceLock = settings.bounceLock_ != 0;
    const std::string repeatDelay = ini::FormatDecimal(settings.repeatDelay_);
    const std::string frequency = ini::FormatDecimal(settings.frequency_);
    const std::string signal = ini::FormatDecimal(settings.signalDelay_);
    const std::string bounce = ini::FormatDecimal(settings.bounceLock_);
    if (anyRepeat && signalDelay)
        lines.push_back(fw::FormatResString(IDS_PRINT_LEGEND_REPEAT_SIGNAL, repeatDelay.c_str(), frequency.c_str(),
                                            signal.c_str()));
    else if (anyRepeat && bounceLock)
        lines.push_back(fw::FormatResString(IDS_PRINT_LEGEND_REPEAT_BOUNCE, repeatDelay.c_str(), frequency.c_str(),
                                            bounce.c_str()));
    else if (signalDelay)
        lines.push_back(fw::FormatResString(IDS_PRINT_LEGEND_SIGNAL, signal.c_str()));
    else if (bounceLock)
        lines.push_back(fw::FormatResString(IDS_PRINT_LEGEND_BOUNCE, bounce.c_str()));
    else if (anyRepeat)
        lines.push_back(fw::FormatResString(IDS_PRINT_LEGEND_REPEAT, repeatDelay.c_str(), frequency.c_str()));
    return lines;
}

void DrawOpticalCode(HDC dc, const std::array<CodeDot, kCodeDots>& dots)
{
    fw::Brush white(::CreateSolidBrush(RGB(255, 255, 255)));
    fw::Brush black(::CreateSolidBrush(RGB(0, 0, 0)));
    for (const CodeDot& dot : dots) {
        fw::SelectObjectGuard brush(dc, dot.white ? white.Get() : black.Get());
        const RECT box = dot.Box();
        ::Ellipse(dc, box.left, box.top, box.right, box.bottom);
    }
}

void DrawLegend(HDC dc, const LegendPlacement& placement, const std::string& fontName,
                const std::vector<std::string>& lines)
{
    LOGFONTA face{};
    face.lfHeight = -placement.textHeight; // a character height, not a cell height
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynA(face.lfFaceName, fontName.c_str(), LF_FACESIZE);
    fw::Font font(::CreateFontIndirectA(&face));
    fw::SelectObjectGuard selected(dc, font.Get());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, RGB(0, 0, 0));
    int y = placement.topLeft.y;
    for (const std::string& line : lines) {
        ::TextOutA(dc, placement.topLeft.x, y, line.c_str(), static_cast<int>(line.size()));
        y += placement.lineStep;
    }
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

TestPrintFigure PlanTestPrint(const PrintDevice& device, POINT origin, const PrintGeometry& geometry)
{
    TestPrintFigure figure;
    // Every bit set: all eight dots white.
    figure.dots = OpticalCodeDots(0xFF, device, origin, geometry);
    const CodeDot& first = figure.dots.front();
    const CodeDot& last = figure.dots.back();
    const double c = device.yScale;
    figure.verticalFrom = POINT{first.centre.x, Truncated(c * (geometry.codeLine - geometry.codeDotHeight)) + origin.y};
    figure.verticalTo = POINT{first.centre.x, Truncated(c * (geometry.codeLine + geometry.codeDotHeight)) + origin.y};
    figure.horizontalFrom = POINT{origin.x, first.centre.y};
    figure.horizontalTo = POINT{last.centre.x + last.halfWidth, first.centre.y};
    figure.text = PlaceLegend(device, origin, geometry);
    return figure;
}

void DrawTestPrint(HDC dc, const TestPrintFigure& figure, const std::string& fontName, const std::string& text)
{
    DrawOpticalCode(dc, figure.dots);
    ::MoveToEx(dc, figure.verticalFrom.x, figure.verticalFrom.y, nullptr);
    ::LineTo(dc, figure.verticalTo.x, figure.verticalTo.y);
    ::MoveToEx(dc, figure.horizontalFrom.x, figure.horizontalFrom.y, nullptr);
    ::LineTo(dc, figure.horizontalTo.x, figure.horizontalTo.y);
    DrawLegend(dc, figure.text, fontName, {text});
}
