// Locating printed dots by the centre of their dark pixels.
#include "PrintedDots.h"
#include <algorithm>
#include <cmath>

namespace printtest {

namespace {

bool IsDark(COLORREF colour)
{
    return colour != CLR_INVALID && GetRValue(colour) < 128 && GetGValue(colour) < 128 && GetBValue(colour) < 128;
}

// Darker than this is ink; the paper's white and the renderer's faint fringe are not.
constexpr int kNoise = 24;
// Ink that marks where a dot's outline is.
constexpr int kInk = 96;

int Darkness(COLORREF colour)
{
    if (colour == CLR_INVALID)
        return 0;
    return 255 - (GetRValue(colour) + GetGValue(colour) + GetBValue(colour)) / 3;
}

int ToPixels(double mm, int dpi)
{
    return static_cast<int>(std::lround(mm * dpi / 25.4));
}

} // namespace

FoundDot FindDot(const testsupport::PrintedPage& page, int dpi, double xMm, double yMm)
{
    const double pixel = 25.4 / dpi;
    const int left = ToPixels(xMm - 4, dpi), right = ToPixels(xMm + 4, dpi);
    const int top = ToPixels(yMm - 11, dpi), bottom = ToPixels(yMm + 11, dpi);
    FoundDot found;
    // The dot's height from its highest to its lowest row of ink. A white dot is only a thin outline
    // that the renderer smooths into grey, unevenly between its top and its bottom, so the centre of
    // its ink would shift; its extremes do not.
    int highest = -1, lowest = -1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (Darkness(page.Pixel(x, y)) < kInk)
                continue;
            ++found.darkPixels;
            if (highest < 0)
                highest = y;
            lowest = y;
        }
    }
    if (found.darkPixels == 0)
        return found;
    // Across: the ink near the top and the bottom apex, which lies symmetric about the centre and far
    // from the neighbouring dots that touch this one at its sides.
    const int apex = ToPixels(1, dpi);
    double sumX = 0, weight = 0;
    for (int y = highest; y <= lowest; ++y) {
        if (y > highest + apex && y < lowest - apex)
            continue;
        for (int x = left; x <= right; ++x) {
            const int darkness = Darkness(page.Pixel(x, y));
            if (darkness < kNoise)
                continue;
            sumX += darkness * (x + 0.5);
            weight += darkness;
        }
    }
    found.xMm = sumX / weight * pixel;
    found.yMm = (highest + lowest + 1) / 2.0 * pixel;
    found.filled = DarkPixels(page, dpi, found.xMm - 2, found.yMm - 4, found.xMm + 2, found.yMm + 4)
                   > ToPixels(4, dpi) * ToPixels(8, dpi) / 2;
    return found;
}

int DarkPixels(const testsupport::PrintedPage& page, int dpi, double leftMm, double topMm, double rightMm,
               double bottomMm)
{
    int dark = 0;
    for (int y = ToPixels(topMm, dpi); y < ToPixels(bottomMm, dpi); ++y)
        for (int x = ToPixels(leftMm, dpi); x < ToPixels(rightMm, dpi); ++x)
            dark += IsDark(page.Pixel(x, y)) ? 1 : 0;
    return dark;
}

CodeFound FindCode(const testsupport::PrintedPage& page, int dpi, double xMm, double yMm)
{
    CodeFound code;
    for (int i = 0; i < 8; ++i) {
        const double expectedX = xMm + 10 * i;
        const FoundDot dot = FindDot(page, dpi, expectedX, yMm);
        if (dot.darkPixels == 0) {
            code.colours += '?';
            code.worstOffsetMm = 1e9;
            continue;
        }
        code.colours += dot.filled ? 'B' : 'W';
        const double dx = dot.xMm - expectedX;
        const double dy = dot.yMm - yMm;
        code.meanDxMm += dx / 8;
        code.meanDyMm += dy / 8;
        code.worstOffsetMm = std::max(code.worstOffsetMm, std::hypot(dx, dy));
    }
    return code;
}

} // namespace printtest
