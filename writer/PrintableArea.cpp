// The printable rectangle of a page.
#include "writer/PrintableArea.h"

namespace {

// Millimetres to printer pixels, truncated.
int Pixels(double millimetres, int pixelsPerInch)
{
    return static_cast<int>(millimetres * (pixelsPerInch / 25.4));
}

} // namespace

RECT PrintableRectangle(const PrinterGeometry& printer)
{
    RECT area;
    area.left = Pixels(25, printer.pixelsPerInchX) - printer.offsetX;
    area.top = Pixels(25, printer.pixelsPerInchY) - printer.offsetY;
    area.right = Pixels(185, printer.pixelsPerInchX) - printer.offsetX + 15;
    area.bottom = Pixels(printer.heightMm - 25, printer.pixelsPerInchY) - printer.offsetY + 20;
    return area;
}

PrinterGeometry GeometryOf(HDC printer)
{
    PrinterGeometry geometry;
    geometry.heightMm = ::GetDeviceCaps(printer, VERTSIZE);
    geometry.pixelsPerInchX = ::GetDeviceCaps(printer, LOGPIXELSX);
    geometry.pixelsPerInchY = ::GetDeviceCaps(printer, LOGPIXELSY);
    geometry.offsetX = ::GetDeviceCaps(printer, PHYSICALOFFSETX);
    geometry.offsetY = ::GetDeviceCaps(printer, PHYSICALOFFSETY);
    return geometry;
}
