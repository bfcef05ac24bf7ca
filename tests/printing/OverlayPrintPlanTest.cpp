// The page plan of an overlay print, the page origins and the number of copies, as tables.
#include "editor/OverlayPrintPlan.h"
#include "store/ListRecords.h"
#include <gtest/gtest.h>

namespace {

// The test printer's device: 300 dots per inch and an unprintable margin of 75 dots.
PrintDevice Device300()
{
    PrintDevice device;
    device.xScale = 300 / 25.4;
    device.yScale = 300 / 25.4;
    device.physicalOffset = POINT{75, 75};
    return device;
}

PrintOptions Options(int codeOnly, int copies, int grid)
{
    PrintOptions options;
    options.opticalCodeOnly_ = codeOnly;
    options.copies_ = copies;
    options.grid_ = grid;
    return options;
}

} // namespace

TEST(OverlayPrintPlan, PagesPerCopyFollowThePaperAndTheCodeOnlyFlag)
{
    struct Case {
        short paper;
        int codeOnly;
        int pages;
    } cases[] = {
        {DMPAPER_A4, 0, 2},     {DMPAPER_A3, 0, 1}, {DMPAPER_A4, 1, 1}, {DMPAPER_A3, 1, 1},
        // The grid is 416 mm wide on Letter paper: two pages, as for any size we do not know.
        {DMPAPER_LETTER, 0, 2}, {DMPAPER_LEGAL, 0, 2}, {0, 0, 2}, {DMPAPER_LETTER, 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pages, PagesPerCopy(c.paper, c.codeOnly)) << "paper " << c.paper << " code only " << c.codeOnly;
}

TEST(OverlayPrintPlan, PageOriginsTakeTheMarginsTheOffsetAndThePageTwoShift)
{
    struct Case {
        int page;
        float left, top;
        int pageWidth;
        POINT origin;
    } cases[] = {
        {1, 0, 0, 210, {-75, -75}},
        // 210 mm at 300 dpi is 2480.3 dots, truncated.
        {2, 0, 0, 210, {-75 - 2480, -75}},
        {2, 0, 0, 216, {-75 - 2551, -75}},
        // 2.0 mm is 23.6 dots, rounded to 24; 1.0 mm is 11.8, rounded to 12.
        {1, 2.0f, 1.0f, 210, {-51, -63}},
        // Negative corrections are rounded by adding a half and truncating: -17.7 + 0.5 gives -17.
        {1, -1.5f, -1.0f, 210, {-75 - 17, -75 - 11}},
        {2, -1.5f, -1.0f, 216, {-75 - 17 - 2551, -75 - 11}},
    };
    for (const Case& c : cases) {
        const POINT origin = PageOrigin(c.page, Device300(), c.left, c.top, c.pageWidth);
        EXPECT_EQ(c.origin.x, origin.x) << "page " << c.page << " left " << c.left;
        EXPECT_EQ(c.origin.y, origin.y) << "page " << c.page << " top " << c.top;
    }
}

TEST(OverlayPrintPlan, EachCopyHasItsPagesAndOnlyItsFirstCarriesTheCode)
{
    struct Case {
        PrintOptions options;
        short paper;
        const char* pages; // per page: C code, B blocks, G grid, '-' nothing, '|' between pages
    } cases[] = {
        {Options(0, 1, 0), DMPAPER_A4, "BC|B"},
        {Options(0, 3, 0), DMPAPER_A4, "BC|B|BC|B|BC|B"},
        {Options(0, 2, 1), DMPAPER_A3, "GBC|GBC"},
        {Options(0, 1, 1), DMPAPER_LETTER, "GBC|GB"},
        // The code alone: no block, and no line without the grid flag.
        {Options(1, 2, 0), DMPAPER_A4, "C|C"},
        {Options(1, 1, 1), DMPAPER_A4, "GC"},
    };
    for (const Case& c : cases) {
        std::string described;
        for (const PlannedPage& page : PlanPages(c.options, c.paper, Device300(), 0, 0, 210)) {
            if (!described.empty())
                described += '|';
            described += std::string(page.grid ? "G" : "") + (page.blocks ? "B" : "") + (page.code ? "C" : "");
            EXPECT_EQ(page.pageInCopy == 2 ? -75 - 2480 : -75, page.origin.x);
        }
        EXPECT_EQ(c.pages, described) << "copies " << c.options.copies_ << " paper " << c.paper;
    }
}

TEST(OverlayPrintPlan, TheNumberOfCopiesMustBeAWholeNumberFromOneTo99)
{
    struct Case {
        const char* text;
        bool valid;
        int copies;
    } cases[] = {
        {"1", true, 1},   {"3", true, 3},    {" 12 ", true, 12}, {"99", true, 99}, {"007", true, 7},
        {"0", false, 0},  {"100", false, 0}, {"-1", false, 0},   {"2x", false, 0}, {"", false, 0},
        {"  ", false, 0}, {"tre", false, 0}, {"1e2", false, 0},  {"1 2", false, 0}, {"2147483648", false, 0},
    };
    for (const Case& c : cases) {
        int copies = -5;
        EXPECT_EQ(c.valid, ParseCopies(c.text, copies)) << '"' << c.text << '"';
        EXPECT_EQ(c.valid ? c.copies : -5, copies) << '"' << c.text << '"';
    }
}
