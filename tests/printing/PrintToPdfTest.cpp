// Real prints of an overlay through Wine's PostScript driver into PDF files, read back with poppler:
// the optical code's dots must land within half a millimetre of their place on A4 and Letter, with
// and without stored margins.
#include "PrintedDots.h"
#include "editor/KeyGrid.h"
#include "editor/OverlayPrinter.h"
#include "framework/Printer.h"
#include "support/TempFolder.h"
#include "support/TestPrinter.h"
#include <gtest/gtest.h>
#include <cstdio>

namespace {

constexpr int kDpi = 300;

struct PaperCase {
    const char* name;
    short paper;
    int letter;
    double widthMm;
    double heightMm;
    float left;
    float top;
};

const PaperCase kPapers[] = {
    {"A4", DMPAPER_A4, 0, 210, 297, 0, 0},
    {"A4", DMPAPER_A4, 0, 210, 297, -1.5f, 2.0f},
    {"Letter", DMPAPER_LETTER, 1, 215.9, 279.4, 0, 0},
    {"Letter", DMPAPER_LETTER, 1, 215.9, 279.4, 2.5f, -1.0f},
};

class PrintToPdf : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ("", printer_.Error());
        ASSERT_TRUE(chosen_.LoadDefault());
        ASSERT_EQ(printer_.Name(), chosen_.Name());
        Block block;
        block.cells_ = {RECT{0, 0, 3, 1}};
        block.text_ = "Hej";
        block.backColor_ = RGB(0, 0, 255);
        keys_.push_back(block);
    }

    // Prints the overlay with the paper and margins of the case; the pages as the printer made them.
    std::vector<testsupport::PrintedPage> Print(const PaperCase& paper, const PrintOptions& options, int number)
    {
        EXPECT_TRUE(chosen_.SetPaperSize(paper.paper));
        HDC dc = chosen_.CreateDC();
        EXPECT_NE(nullptr, dc);
        if (!dc)
            return {};
        KeyGrid grid;
        grid.Layout(1000, 700, paper.letter);
        OverlayPrintJob job;
        job.documentName = "Frukt";
        job.number = number;
        job.overlayName = "Frukt";
        job.setName = "Mat";
        job.keys = &keys_;
        job.background = &background_;
        job.defaultFont = "Arial";
        job.options = options;
        job.leftMarginMm = paper.left;
        job.topMarginMm = paper.top;
        printer_.ClearOutput();
        const int printed = PrintOverlayPages(dc, chosen_.PaperSize(), grid, job);
        ::DeleteDC(dc);
        EXPECT_GT(printed, 0);
        EXPECT_TRUE(printer_.WaitForJob());
        return printer_.Pages();
    }

    testsupport::TempFolder folder_;
    testsupport::TestPrinter printer_{folder_.Path(), kDpi};
    fw::Printer chosen_;
    std::vector<Block> keys_;
    std::vector<Block> background_;
};

} // namespace

TEST_F(PrintToPdf, TheCodesDotsLandWithinHalfAMillimetreOnA4AndLetterWithAndWithoutMargins)
{
    for (const PaperCase& paper : kPapers) {
        PrintOptions options;
        const auto pages = Print(paper, options, 85);
        ASSERT_EQ(2u, pages.size()) << paper.name;
        // The sheet is the paper asked for.
        EXPECT_NEAR(paper.widthMm, pages[0].width * 25.4 / kDpi, 1.0) << paper.name;
        EXPECT_NEAR(paper.heightMm, pages[0].height * 25.4 / kDpi, 1.0) << paper.name;

        const PrintGeometry geometry = PrintGeometry::ForPaper(paper.letter);
        const double x = geometry.codeLeft + paper.left;
        const double y = geometry.codeLine + paper.top;
        const printtest::CodeFound code = printtest::FindCode(pages[0], kDpi, x, y);
        EXPECT_EQ("BWBWBWBW", code.colours) << paper.name;
        EXPECT_LE(code.worstOffsetMm, 0.5) << paper.name << " margins " << paper.left << "/" << paper.top;
        std::printf("[ offsets  ] %s, margins %.1f/%.1f mm: mean dx %+.3f mm, mean dy %+.3f mm, worst %.3f mm\n",
                    paper.name, paper.left, paper.top, code.meanDxMm, code.meanDyMm, code.worstOffsetMm);

        // Page 2 shows the grid's right part and no code.
        EXPECT_EQ(0, printtest::DarkPixels(pages[1], kDpi, 0, y - 10, 100, y + 10)) << paper.name;
        // The block stands in the first cells of page 1, blue, at the grid's corner.
        const COLORREF inBlock = pages[0].Pixel(static_cast<int>((geometry.leftEdge + paper.left + 3) * kDpi / 25.4),
                                                static_cast<int>((geometry.topEdge + paper.top + 3) * kDpi / 25.4));
        EXPECT_LT(GetRValue(inBlock), 80) << paper.name;
        EXPECT_GT(GetBValue(inBlock), 170) << paper.name;
    }
}

TEST_F(PrintToPdf, TheCodeAloneIsOnePagePerCopyWithNoBlockAndTheGridOnlyWhenAsked)
{
    const PaperCase& a4 = kPapers[0];
    PrintOptions options;
    options.opticalCodeOnly_ = 1;
    options.copies_ = 2;
    auto pages = Print(a4, options, 5);
    ASSERT_EQ(2u, pages.size());
    const PrintGeometry geometry = PrintGeometry::ForPaper(0);
    for (const auto& page : pages) {
        EXPECT_EQ("BBBBBWBW", printtest::FindCode(page, kDpi, geometry.codeLeft, geometry.codeLine).colours);
        // Nothing on the grid: no block, no line.
        EXPECT_EQ(0, printtest::DarkPixels(page, kDpi, 10, 10, 200, 260));
        EXPECT_GT(printtest::DarkPixels(page, kDpi, 103, geometry.codeLine - 9, 180, geometry.codeLine + 3), 50)
            << "the legend";
    }

    options.copies_ = 1;
    options.grid_ = 1;
    pages = Print(a4, options, 5);
    ASSERT_EQ(1u, pages.size());
    // The grid's top line, one pixel above the first row, across the page.
    EXPECT_GT(printtest::DarkPixels(pages[0], kDpi, 30, geometry.topEdge - 1, 200, geometry.topEdge + 1), 200);
}

// A white block without a frame on paper with the grid: the grid lines on all four of its edges stay,
// those across it are covered.
TEST_F(PrintToPdf, AFramelessWhiteBlockKeepsTheGridLinesOnAllItsEdges)
{
    Block white;
    white.cells_ = {RECT{2, 2, 3, 3}}; // C3 to D4
    keys_ = {white};
    PrintOptions options;
    options.grid_ = 1;
    const auto pages = Print(kPapers[0], options, 5);
    ASSERT_EQ(2u, pages.size());
    const PrintGeometry a4 = PrintGeometry::ForPaper(0);
    const double left = a4.leftEdge + 2 * a4.cellWidth;
    const double right = left + 2 * a4.cellWidth;
    const double top = a4.topEdge + 2 * a4.cellHeight;
    const double bottom = top + 2 * a4.cellHeight;
    const auto across = [&](double y) { return printtest::DarkPixels(pages[0], kDpi, left + 4, y - 0.5, right - 4, y + 0.5); };
    const auto down = [&](double x) { return printtest::DarkPixels(pages[0], kDpi, x - 0.5, top + 4, x + 0.5, bottom - 4); };
    ASSERT_GT(across(bottom), 100);
    ASSERT_GT(down(right), 100);
    EXPECT_GT(across(top), across(bottom) * 3 / 4) << "the line on the block's top edge";
    EXPECT_GT(down(left), down(right) * 3 / 4) << "the line on the block's left edge";
    EXPECT_LT(across(top + a4.cellHeight), 20) << "the line across the block";
}
