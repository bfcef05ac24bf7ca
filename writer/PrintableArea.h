// Where Morvel prints on a page: 25 mm from the left and the top, 185 mm from the left edge, and
// 25 mm above the bottom, less the margins the printer cannot print on.
#pragma once
#include <windows.h>

struct PrinterGeometry {
    int heightMm = 0;
    int pixelsPerInchX = 0;
    int pixelsPerInchY = 0;
    int offsetX = 0; // the printer's unprintable margin, in its pixels
    int offsetY = 0;
};

// In printer pixels; each millimetre product is truncated before the offsets are taken off.
RECT PrintableRectangle(const PrinterGeometry& printer);
// The same for a printer's device context.
PrinterGeometry GeometryOf(HDC printer);
