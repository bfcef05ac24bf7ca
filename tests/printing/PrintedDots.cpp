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

int ToPixels(double mm, int dpi)
{
    return static_cast<int>(std::lround(mm * dpi / 25.4));
}

} // namespace

FoundDot FindDot(const testsupport::PrintedPage& page, int dpi, double xMm, double yMm)
{
    const double pixel = 25.4 / dpi;
    const int left = ToPixels(xMm - 4.5, dpi), right = ToPixels(xMm + 4.5, dpi);
    const int top = ToPixels(yMm - 11, dpi), bottom = ToPixels(yMm + 11, dpi);
    double sumX = 0, sumY = 0;
    FoundDot found;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (!IsDark(page.Pixel(x, y)))
                continue;
            sumX += x;
            sumY += y;
            ++found.darkPixels;
        }
    }
    if (found.darkPixels == 0)
        return found;
    // Pixel x covers x to x + 1: its centre lies half a pixel further.
    found.xMm = (sumX / found.darkPixels + 0.5) * pixel;
    found.yMm = (sumY / found.darkPixels + 0.5) * pixel;
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
