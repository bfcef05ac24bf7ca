// The print command: dialog, save, paper, device context, margins, then the pages of every copy.
#include "editor/OverlayPrinter.h"
#include "editor/KeyGrid.h"
#include "editor/MyPrintDlg.h"
#include "editor/OverlayPrintCode.h"
#include "editor/OverlayPrintPlan.h"
#include "framework/Cursor.h"
#include "framework/Printer.h"
#include "framework/Prompt.h"
#include "resources/skarpin/resource.h"
#include "store/FileIO.h"
#include <algorithm>

namespace {

bool AnyRepeatingBlock(const std::vector<Block>* blocks)
{
    return blocks && std::any_of(blocks->begin(), blocks->end(), [](const Block& block) { return block.repeat_ != 0; });
}

void DrawBlocks(HDC dc, const std::vector<Block>* blocks, const KeyGrid& grid, const OverlayPrintJob& job, POINT origin)
{
    if (!blocks)
        return;
    for (const Block& block : *blocks)
        block.Draw(dc, grid.PrintRects(), grid.Geometry().cellHeight, job.defaultFont, job.farEast, 1, 0, &origin);
}

void PrintPage(HDC dc, const PlannedPage& page, const PrintDevice& device, const KeyGrid& grid,
               const OverlayPrintJob& job)
{
    if (page.grid)
        grid.DrawLinesAt(dc, page.origin.x, page.origin.y);
    if (page.blocks) {
        DrawBlocks(dc, job.background, grid, job, page.origin);
        DrawBlocks(dc, job.keys, grid, job, page.origin);
    }
    if (page.code) {
        DrawOpticalCode(dc, OpticalCodeDots(job.number, device, page.origin, grid.Geometry()));
        DrawLegend(dc, PlaceLegend(device, page.origin, grid.Geometry()), job.defaultFont,
                   LegendLines(job.number, job.overlayName, job.setName, job.settings, AnyRepeatingBlock(job.keys)));
    }
}

void ShowError(HWND owner, UINT textId)
{
    fw::ShowMessage(owner, textId, IDS_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
}

} // namespace

int PrintOverlayPages(HDC printer, short paperSize, KeyGrid& grid, const OverlayPrintJob& job)
{
    const PrintDevice device = PrintDevice::Of(printer);
    grid.LayoutScaled(device.xScale, device.yScale);
    const std::vector<PlannedPage> pages = PlanPages(job.options, paperSize, device, job.leftMarginMm,
                                                     job.topMarginMm, grid.Geometry().pageWidth);
    DOCINFOA document{sizeof(document), job.documentName.c_str(), nullptr, nullptr, 0};
    if (::StartDocA(printer, &document) <= 0)
        return -1;
    int printed = 0;
    for (const PlannedPage& page : pages) {
        if (::StartPage(printer) <= 0) {
            ::AbortDoc(printer);
            return -1;
        }
        PrintPage(printer, page, device, grid, job);
        if (::EndPage(printer) <= 0) {
            ::AbortDoc(printer);
            return -1;
        }
        ++printed;
    }
    if (::EndDoc(printer) <= 0)
        return -1;
    return printed;
}

int RunOverlayPrint(const OverlayPrintRequest& request)
{
    MyPrintDlg dialog(*request.printer, *request.options, request.owner);
    if (dialog.DoModal() != IDOK)
        return 0;
    // The overlay is printed as it is stored; one that could not be saved is not printed.
    if (request.save && !request.save()) {
        // Without a word the user would wait for a print that never comes.
        if (request.readOnly)
            ShowError(request.owner, IDS_PRINT_READ_ONLY_MODIFIED);
        return 0;
    }
    fw::Printer& printer = *request.printer;
    if (!printer.IsValid() && !printer.LoadDefault()) {
        ShowError(request.owner, IDS_PRINT_NO_PRINTER);
        return 0;
    }
    printer.MarkPaperFieldsValid();
    const short paperSize = printer.PaperSize();
    HDC dc = printer.CreateDC();
    if (!dc) {
        ShowError(request.owner, IDS_PRINT_FAILED);
        return 0;
    }
    OverlayPrintJob job = request.job();
    job.options = *request.options;
    request.fileIO->GetMargins(printer.Name(), job.leftMarginMm, job.topMarginMm);

    int printed = 0;
    {
        fw::WaitCursor wait;
        if (request.loadBackgroundPictures)
            request.loadBackgroundPictures(true);
        printed = PrintOverlayPages(dc, paperSize, *request.grid, job);
        if (request.loadBackgroundPictures)
            request.loadBackgroundPictures(false);
    }
    ::DeleteDC(dc);
    if (printed < 0) {
        ShowError(request.owner, IDS_PRINT_FAILED);
        return 0;
    }
    return printed;
}
