// What one print of an overlay consists of: the pages of each copy, where each page's origin lies
// in printer units, and what each page carries. Plain functions, so the rounding and the page
// count are tested without a printer.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct PrintOptions;

// A printer's resolution and unprintable margin, as its device context reports them.
struct PrintDevice {
    double xScale = 0; // device units per millimetre
    double yScale = 0;
    POINT physicalOffset{}; // the printable area's top-left corner on the sheet, in device units

    static PrintDevice Of(HDC printer);
};

// Pages of one copy. The grid is wider than any sheet but A3, so it takes two pages on every
// other paper, Letter and sizes we do not know included; the optical code alone takes one.
int PagesPerCopy(short paperSize, int codeOnly);

// The origin of a page: the stored margins rounded to device units, less the unprintable margin,
// and on page 2 one page width further left so that it shows the grid's right part.
POINT PageOrigin(int pageInCopy, const PrintDevice& device, float leftMarginMm, float topMarginMm, int pageWidthMm);

// One page of the print job.
struct PlannedPage {
    int copy = 1;       // from 1
    int pageInCopy = 1; // from 1
    POINT origin{};
    bool grid = false;   // the grid lines
    bool blocks = false; // the background and key blocks
    bool code = false;   // the optical code and its legend
};

std::vector<PlannedPage> PlanPages(const PrintOptions& options, short paperSize, const PrintDevice& device,
                                   float leftMarginMm, float topMarginMm, int pageWidthMm);

// The number of copies as typed in the print dialog: a whole number from 1 to kMaxCopies, blanks
// around it allowed; false for anything else.
constexpr int kMaxCopies = 99;
bool ParseCopies(const std::string& text, int& copies);
