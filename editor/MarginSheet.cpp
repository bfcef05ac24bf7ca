// The margin wizard's sheet: its pages, the test print and the figure of where to measure.
#include "editor/MarginSheet.h"
#include "editor/OverlayPrintCode.h"
#include "editor/OverlayPrintPlan.h"
#include "framework/Cursor.h"
#include "framework/Gdi.h"
#include "framework/Printer.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/IniValues.h"
#include "resources/skarpin/resource.h"
#include "store/FileIO.h"

MarginSheet::MarginSheet(FileIO& fileIO, fw::Printer& printer, HWND parent)
    : fw::PropSheet(0, parent), fileIO_(fileIO), printer_(printer), page1_(*this), page2_(*this), page3_(*this),
      page4_(*this)
{
    grid_.Layout(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), fileIO.GetPrintFormat());
    AddPage(&page1_);
    AddPage(&page2_);
    AddPage(&page3_);
    AddPage(&page4_);
    SetWizardMode();
}

void MarginSheet::SetCorrections(float left, float top)
{
    left_ = left;
    top_ = top;
}

bool MarginSheet::PrintTest(HWND owner, bool corrected)
{
    if (!printer_.IsValid() && !printer_.LoadDefault()) {
        fw::ShowMessage(owner, IDS_PRINT_NO_PRINTER, IDS_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        return false;
    }
    printer_.MarkPaperFieldsValid();
    HDC dc = printer_.CreateDC();
    if (!dc) {
        fw::ShowMessage(owner, IDS_PRINT_FAILED, IDS_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        return false;
    }
    const PrintDevice device = PrintDevice::Of(dc);
    // Without corrections the origin is the sheet's own corner; with them, the corner moved as an
    // overlay's first page is.
    const POINT origin = corrected ? PageOrigin(1, device, left_, top_, grid_.Geometry().pageWidth)
                                   : POINT{-device.physicalOffset.x, -device.physicalOffset.y};
    const std::string text = corrected ? fw::FormatResString(IDS_MARGIN_TEST_ADJUSTED, ini::FormatDecimal(left_).c_str(),
                                                             ini::FormatDecimal(top_).c_str())
                                       : fw::LoadResString(IDS_MARGIN_TEST_PLAIN);
    std::string font;
    fileIO_.GetDefaultFont(font);
    const std::string title = fw::LoadResString(IDS_MARGIN_TITLE1);

    bool printed = false;
    {
        fw::WaitCursor wait;
        DOCINFOA document{sizeof(document), title.c_str(), nullptr, nullptr, 0};
        if (::StartDocA(dc, &document) > 0) {
            if (::StartPage(dc) > 0) {
                DrawTestPrint(dc, PlanTestPrint(device, origin, grid_.Geometry()), font, text);
                printed = ::EndPage(dc) > 0 && ::EndDoc(dc) > 0;
            }
            if (!printed)
                ::AbortDoc(dc);
        }
    }
    ::DeleteDC(dc);
    if (!printed)
        fw::ShowMessage(owner, IDS_PRINT_FAILED, IDS_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
    return printed;
}

bool RunMarginSheet(HWND owner, FileIO& fileIO, fw::Printer& printer)
{
    if (!printer.IsValid())
        printer.LoadDefault(); // the first page shows which printer is set; none yet is fine there
    MarginSheet sheet(fileIO, printer, owner);
    return sheet.DoModal() == fw::kWizardFinish;
}

namespace {

// A dimension line with arrow heads at both ends and its letter beside its middle.
void DrawMeasure(HDC dc, POINT from, POINT to, const char* letter)
{
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, to.x, to.y);
    const bool horizontal = from.y == to.y;
    for (const POINT& end : {from, to}) {
        const int sign = (horizontal ? (end.x == from.x ? 1 : -1) : (end.y == from.y ? 1 : -1))
                         * (horizontal ? (to.x > from.x ? 1 : -1) : (to.y > from.y ? 1 : -1));
        for (int side : {-1, 1}) {
            ::MoveToEx(dc, end.x, end.y, nullptr);
            if (horizontal)
                ::LineTo(dc, end.x + 4 * sign, end.y + 3 * side);
            else
                ::LineTo(dc, end.x + 3 * side, end.y + 4 * sign);
        }
    }
    const POINT middle{(from.x + to.x) / 2, (from.y + to.y) / 2};
    ::SetBkMode(dc, TRANSPARENT);
    if (horizontal)
        ::TextOutA(dc, middle.x - 3, middle.y - 15, letter, 1);
    else
        ::TextOutA(dc, middle.x + 5, middle.y - 7, letter, 1);
}

} // namespace

void DrawMarginFigure(HDC dc, const RECT& area, bool withMeasures)
{
    fw::SavedDC saved(dc);
    fw::Brush desk(::CreateSolidBrush(RGB(200, 200, 200)));
    ::FillRect(dc, &area, desk);
    // The sheet's lower left corner, shown 110 mm wide.
    const RECT sheet{area.left + 14, area.top, area.right, area.bottom - 16};
    ::FillRect(dc, &sheet, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const double scale = (sheet.right - sheet.left) / 110.0;
    PrintDevice device;
    device.xScale = scale;
    device.yScale = scale;
    // A code line 21 mm above the sheet's bottom edge.
    const int codeLine = 30;
    const POINT origin{sheet.left, sheet.bottom - static_cast<LONG>(scale * codeLine)};
    PrintGeometry geometry = PrintGeometry::ForPaper(0);
    geometry.codeLine = codeLine - 21;
    const TestPrintFigure figure = PlanTestPrint(device, origin, geometry);
    ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    DrawOpticalCode(dc, figure.dots);
    ::MoveToEx(dc, figure.verticalFrom.x, figure.verticalFrom.y, nullptr);
    ::LineTo(dc, figure.verticalTo.x, figure.verticalTo.y);
    ::MoveToEx(dc, figure.horizontalFrom.x, figure.horizontalFrom.y, nullptr);
    ::LineTo(dc, figure.horizontalTo.x, figure.horizontalTo.y);
    if (!withMeasures)
        return;
    ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    const int belowDots = figure.dots[0].centre.y + figure.dots[0].halfHeight + 8;
    DrawMeasure(dc, POINT{sheet.left, belowDots}, POINT{figure.verticalFrom.x, belowDots}, "x");
    const int besideDots = figure.horizontalTo.x + 10;
    DrawMeasure(dc, POINT{besideDots, sheet.bottom}, POINT{besideDots, figure.horizontalTo.y}, "y");
}
