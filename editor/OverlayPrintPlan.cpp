// The pages of an overlay print and their origins.
#include "editor/OverlayPrintPlan.h"
#include "store/ListRecords.h"
#include <cctype>

PrintDevice PrintDevice::Of(HDC printer)
{
    PrintDevice device;
    device.xScale = ::GetDeviceCaps(printer, LOGPIXELSX) / 25.4;
    device.yScale = ::GetDeviceCaps(printer, LOGPIXELSY) / 25.4;
    device.physicalOffset.x = ::GetDeviceCaps(printer, PHYSICALOFFSETX);
    device.physicalOffset.y = ::GetDeviceCaps(printer, PHYSICALOFFSETY);
    return device;
}

int PagesPerCopy(short paperSize, int codeOnly)
{
    if (codeOnly)
        return 1;
    return paperSize == DMPAPER_A3 ? 1 : 2;
}

POINT PageOrigin(int pageInCopy, const PrintDevice& device, float leftMarginMm, float topMarginMm, int pageWidthMm)
{
    // The margins are rounded by adding a half and truncating, as the stored corrections were measured.
    POINT origin{static_cast<LONG>(leftMarginMm * device.xScale + 0.5) - device.physicalOffset.x,
                 static_cast<LONG>(topMarginMm * device.yScale + 0.5) - device.physicalOffset.y};
    if (pageInCopy == 2)
        origin.x -= static_cast<LONG>(device.xScale * pageWidthMm);
    return origin;
}

std::vector<PlannedPage> PlanPages(const PrintOptions& options, short paperSize, const PrintDevice& device,
                                   float leftMarginMm, float topMarginMm, int pageWidthMm)
{
    std::vector<PlannedPage> pages;
    const int pagesPerCopy = PagesPerCopy(paperSize, options.opticalCodeOnly_);
    for (int copy = 1; copy <= options.copies_; ++copy) {
        for (int page = 1; page <= pagesPerCopy; ++page) {
            PlannedPage planned;
            planned.copy = copy;
            planned.pageInCopy = page;
            planned.origin = PageOrigin(page, device, leftMarginMm, topMarginMm, pageWidthMm);
            planned.grid = options.grid_ != 0;
            planned.blocks = !options.opticalCodeOnly_;
            planned.code = page == 1;
            pages.push_back(planned);
        }
    }
    return pages;
}

bool ParseCopies(const std::string& text, int& copies)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    if (begin == end || end - begin > 3)
        return false;
    int value = 0;
    for (size_t i = begin; i < end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        value = value * 10 + (text[i] - '0');
    }
    if (value < 1 || value > kMaxCopies)
        return false;
    copies = value;
    return true;
}
