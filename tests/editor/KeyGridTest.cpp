// The key grid as tables: screen and paper layout, hit tests on the cell edges, ranges built from
// selected cells, moves and resizes refused at the grid's edges, span selection, and the lines drawn.
#include "CellNames.h"
#include "editor/KeyGrid.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using editortest::Cell;
using editortest::Ranges;

namespace {

std::string Rect(const RECT& r) { return Ranges({r}); }

void Select(KeyGrid& grid, std::initializer_list<const char*> cells)
{
    for (const char* cell : cells)
        grid.ToggleCell(Cell(cell));
}

} // namespace

TEST(KeyGrid, ScreenLayoutFollowsTheClientAreaAndPaper)
{
    struct Case {
        int width, height, letter;
        int cellWidth, cellHeight, left;
    } cases[] = {
        // A4: 30/24; the height allows 83, the width only 61 columns' worth.
        {1024, 700, 0, 61, 76, 16},
        // Letter: 28/25; the height decides: c = 45, d = int(45 / 1.12) = 40, e = int(1.12 * 40) = 44.
        {1000, 390, 1, 40, 44, 172},
        // A window narrower than the grid needs: the cell keeps one pixel instead of none or less.
        {40, 40, 0, 1, 1, 4},
        {10, 600, 1, 1, 1, -10},
    };
    for (const Case& c : cases) {
        KeyGrid grid;
        grid.Layout(c.width, c.height, c.letter);
        const RECT first = grid.GetCellRect(0);
        EXPECT_EQ(c.cellWidth, first.right - first.left) << c.width << "x" << c.height;
        EXPECT_EQ(c.cellHeight, first.bottom - first.top) << c.width << "x" << c.height;
        EXPECT_EQ(c.left, first.left) << c.width << "x" << c.height;
        EXPECT_EQ(15, first.top);
        // Rows and columns follow one another with no gap.
        const RECT last = grid.GetCellRect(127);
        EXPECT_EQ(c.left + 16 * c.cellWidth, last.right);
        EXPECT_EQ(15 + 8 * c.cellHeight, last.bottom);
        EXPECT_EQ(first.right, grid.GetCellRect(1).left);
        EXPECT_EQ(first.bottom, grid.GetCellRect(16).top);
    }
}

TEST(KeyGrid, PrintGeometryOfBothPapers)
{
    const PrintGeometry a4 = PrintGeometry::ForPaper(0);
    const PrintGeometry letter = PrintGeometry::ForPaper(1);
    EXPECT_EQ((std::vector<int>{24, 30, 18, 18, 210, 276, 13, 18, 10}),
              (std::vector<int>{a4.cellWidth, a4.cellHeight, a4.leftEdge, a4.topEdge, a4.pageWidth, a4.codeLine,
                                a4.codeLeft, a4.codeDotHeight, a4.codeDotWidth}));
    EXPECT_EQ((std::vector<int>{25, 28, 16, 16, 216, 258, 13, 18, 10}),
              (std::vector<int>{letter.cellWidth, letter.cellHeight, letter.leftEdge, letter.topEdge,
                                letter.pageWidth, letter.codeLine, letter.codeLeft, letter.codeDotHeight,
                                letter.codeDotWidth}));

    // Each size is truncated once, then the cells follow by whole device units.
    KeyGrid grid;
    grid.Layout(800, 600, 0);
    grid.LayoutScaled(11.811, 11.811);  // 300 dpi
    EXPECT_EQ("(212,212,495,566)", Rect(grid.PrintRects()[0]));
    EXPECT_EQ(212 + 16 * 283, grid.PrintRects()[127].right);
    EXPECT_EQ(212 + 8 * 354, grid.PrintRects()[127].bottom);
    grid.Layout(800, 600, 1);
    EXPECT_EQ(28, grid.Geometry().cellHeight);
}

TEST(KeyGrid, HitTestTakesLeftAndTopEdgesOnly)
{
    KeyGrid grid;
    grid.Layout(1024, 700, 0);  // cells 61 x 76 from (16, 15)
    struct Case {
        POINT point;
        int cell;
    } cases[] = {
        {{16, 15}, 0},           // top-left corner of A1
        {{76, 90}, 0},           // last pixel inside A1
        {{77, 15}, 1},           // right edge of A1 is B1's
        {{16, 91}, 16},          // bottom edge of A1 is A2's
        {{15, 15}, -1},          // left of the grid
        {{16, 14}, -1},          // above it
        {{16 + 16 * 61, 20}, -1},  // right of P1
        {{16 + 16 * 61 - 1, 15 + 8 * 76 - 1}, 127},
        {{20, 15 + 8 * 76}, -1},   // below A8
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cell, grid.HitTest(c.point)) << c.point.x << "," << c.point.y;
}

TEST(KeyGrid, BlockRangesFromSelectedCells)
{
    struct Case {
        std::vector<const char*> cells;
        std::vector<const char*> covered;  // cells already of a block: never taken
        int result;
        std::string ranges;
    } cases[] = {
        {{}, {}, 0, ""},
        {{"B2"}, {"B2"}, 0, ""},
        {{"C3"}, {}, 1, "(2,2,2,2)"},
        {{"A1", "B1", "A2", "B2"}, {}, 1, "(0,0,1,1)"},                  // a square is one range
        {{"A1", "B1", "C1", "A2"}, {}, 1, "(0,0,2,0)(0,1,0,1)"},         // an L
        {{"A1", "C2"}, {}, -1, "(0,0,0,0)(2,1,2,1)"},                    // a gap of one column
        {{"A1", "B2"}, {}, 1, "(0,0,0,0)(1,1,1,1)"},                     // corners touch
        {{"A1", "A3"}, {}, -1, "(0,0,0,0)(0,2,0,2)"},                    // a row between
        {{"A1", "B1", "A2", "B2", "B3"}, {"B3"}, 1, "(0,0,1,1)"},        // a covered cell stays out
        // Two groups, each joined inside: pairs alone would pass them as one block.
        {{"A1", "B1", "A2", "E1", "F1", "E2"}, {}, -1, "(0,0,1,0)(4,0,5,0)(0,1,0,1)(4,1,4,1)"},
        {{"A1", "A2", "D1", "D2"}, {}, -1, "(0,0,0,1)(3,0,3,1)"},
        // A chain is joined through its middle.
        {{"A1", "B2", "C3", "D4"}, {}, 1, "(0,0,0,0)(1,1,1,1)(2,2,2,2)(3,3,3,3)"},
        {{"P1", "A2"}, {}, -1, "(15,0,15,0)(0,1,0,1)"},                  // a row's end does not run on
    };
    for (const Case& c : cases) {
        KeyGrid grid;
        for (const char* cell : c.cells)
            grid.ToggleCell(Cell(cell));
        for (const char* cell : c.covered)
            grid.MarkBlocks({RECT{Cell(cell) % 16, Cell(cell) / 16, Cell(cell) % 16, Cell(cell) / 16}}, 1, 0);
        std::vector<RECT> ranges{RECT{9, 9, 9, 9}};
        EXPECT_EQ(c.result, grid.BuildBlockRects(ranges)) << c.ranges;
        EXPECT_EQ(c.ranges, Ranges(ranges));
    }
}

TEST(KeyGrid, MovesAndResizesStayInsideTheGrid)
{
    using KG = KeyGrid;
    struct Case {
        const char* what;
        int handle, resize;
        std::vector<RECT> ranges;
        POINT from, to;
        int result;
        std::string after;
    } cases[] = {
        {"move", 0, 0, {{1, 1, 2, 2}}, {1, 1}, {3, 2}, 1, "(3,2,4,3)"},
        {"move both ranges", 0, 0, {{0, 0, 2, 0}, {0, 1, 0, 1}}, {0, 0}, {1, 1}, 1, "(1,1,3,1)(1,2,1,2)"},
        {"move off the left", 0, 0, {{0, 0, 2, 0}, {0, 1, 0, 1}}, {1, 0}, {0, 0}, 0, "(0,0,2,0)(0,1,0,1)"},
        {"one range off the bottom", 0, 0, {{0, 5, 2, 5}, {0, 6, 0, 7}}, {0, 5}, {0, 6}, 0,
         "(0,5,2,5)(0,6,0,7)"},
        {"move off the right", 0, 0, {{14, 0, 15, 0}}, {14, 0}, {15, 0}, 0, "(14,0,15,0)"},
        {"right edge out", 4, 1, {{1, 1, 2, 2}}, {2, 1}, {5, 1}, 1, "(1,1,5,2)"},
        {"right edge past the left", 4, 1, {{1, 1, 2, 2}}, {2, 1}, {0, 1}, 0, "(1,1,2,2)"},
        {"right edge off the grid", 4, 1, {{13, 1, 14, 2}}, {14, 1}, {16, 1}, 0, "(13,1,14,2)"},
        {"left edge in", 3, 1, {{1, 1, 4, 2}}, {1, 2}, {3, 2}, 1, "(3,1,4,2)"},
        {"bottom edge down", 2, 1, {{1, 1, 2, 2}}, {1, 2}, {1, 7}, 1, "(1,1,2,7)"},
        {"bottom edge off the grid", 2, 1, {{1, 1, 2, 2}}, {1, 2}, {1, 8}, 0, "(1,1,2,2)"},
        {"top edge off the grid", 1, 1, {{1, 1, 2, 2}}, {2, 1}, {2, -1}, 0, "(1,1,2,2)"},
        {"top edge up", 1, 1, {{1, 1, 2, 2}}, {2, 1}, {2, 0}, 1, "(1,0,2,2)"},
        // Corners follow the vertical movement on both axes.
        {"bottom-right down 1, right 3", 8, 1, {{1, 1, 2, 2}}, {2, 2}, {5, 3}, 1, "(1,1,3,3)"},
        {"top-left up", 5, 1, {{1, 1, 2, 2}}, {1, 1}, {1, 0}, 1, "(0,0,2,2)"},
        {"top-right up", 6, 1, {{1, 1, 2, 2}}, {2, 1}, {2, 0}, 1, "(1,0,3,2)"},
        {"bottom-left down", 7, 1, {{1, 1, 2, 2}}, {1, 2}, {1, 3}, 1, "(0,1,2,3)"},
        {"top-left at the corner", 5, 1, {{0, 0, 2, 2}}, {0, 0}, {0, -1}, 0, "(0,0,2,2)"},
        {"bottom-right turned over", 8, 1, {{1, 1, 2, 2}}, {2, 2}, {2, 0}, 0, "(1,1,2,2)"},
    };
    for (const Case& c : cases) {
        std::vector<RECT> ranges = c.ranges;
        EXPECT_EQ(c.result, KG::MoveBlock(c.handle, ranges, c.to, c.from, c.resize)) << c.what;
        EXPECT_EQ(c.after, Ranges(ranges)) << c.what;
    }
}

TEST(KeyGrid, OccupationAndSelection)
{
    KeyGrid grid;
    const std::vector<RECT> block{{1, 1, 2, 1}, {1, 2, 1, 2}};
    grid.MarkBlocks(block, 1, 1);
    EXPECT_EQ(1, grid.GetCellValue(Cell("B2")));
    EXPECT_EQ(1, grid.GetCellValue(Cell("C2")));
    EXPECT_EQ(0, grid.GetCellValue(Cell("C3")));
    EXPECT_FALSE(grid.AreCellsFree({{2, 1, 3, 1}}));
    EXPECT_TRUE(grid.AreCellsFree({{2, 2, 3, 3}}));
    // Selected but covered cells are not free ones.
    EXPECT_EQ(-1, grid.FirstSelectedFreeCell());
    Select(grid, {"H8", "D1"});
    EXPECT_EQ(Cell("D1"), grid.FirstSelectedFreeCell());
    grid.ClearCells();
    EXPECT_EQ(0, grid.GetCellValue(Cell("B2")));
    EXPECT_EQ(-1, grid.FirstSelectedFreeCell());
}

TEST(KeyGrid, SpanSelectsTheRectangleBetweenTwoCells)
{
    struct Case {
        const char* from;
        const char* to;
        std::vector<const char*> covered;
        std::string selected;
    } cases[] = {
        {"B2", "D3", {}, "B2 C2 D2 B3 C3 D3"},
        {"D3", "B2", {}, "B2 C2 D2 B3 C3 D3"},
        {"B2", "B2", {}, "B2"},
        // Toward the lower left: the same rectangle.
        {"D2", "B3", {}, "B2 C2 D2 B3 C3 D3"},
        {"A1", "C1", {"B1"}, "A1 C1"},
    };
    for (const Case& c : cases) {
        KeyGrid grid;
        grid.Layout(800, 600, 0);
        for (const char* cell : c.covered)
            grid.MarkBlocks({RECT{Cell(cell) % 16, Cell(cell) / 16, Cell(cell) % 16, Cell(cell) / 16}}, 1, 0);
        grid.ToggleCell(Cell(c.from));
        grid.ToggleCell(Cell(c.to));
        if (Cell(c.from) == Cell(c.to))
            grid.ToggleCell(Cell(c.to));
        grid.SelectSpan(nullptr, Cell(c.to), Cell(c.from));
        std::string selected;
        for (int cell = 0; cell < KeyGrid::kCellCount; ++cell) {
            if (grid.IsCellSelected(cell) && grid.GetCellValue(cell) == 0)
                selected += (selected.empty() ? "" : " ") + std::string(1, char('A' + cell % 16)) +
                            std::to_string(cell / 16 + 1);
        }
        EXPECT_EQ(c.selected, selected) << c.from << " to " << c.to;
    }
}

TEST(KeyGrid, LinesFrameEveryCell)
{
    KeyGrid grid;
    grid.Layout(400, 300, 0);
    fw::DibSection canvas(400, 300);
    canvas.Fill(RGB(255, 255, 255));
    grid.DrawLines(canvas.DC());
    const RECT a1 = grid.GetCellRect(0);
    const RECT p8 = grid.GetCellRect(127);
    ::GdiFlush();
    const COLORREF grey = RGB(192, 192, 192);
    EXPECT_EQ(grey, canvas.Pixel(a1.left + 2, a1.top - 1));    // above row 1
    EXPECT_EQ(grey, canvas.Pixel(a1.left + 2, a1.bottom));     // below row 1
    EXPECT_EQ(grey, canvas.Pixel(a1.left - 1, a1.top + 2));    // left of column A
    EXPECT_EQ(grey, canvas.Pixel(a1.right, a1.top + 2));       // right of column A
    EXPECT_EQ(grey, canvas.Pixel(p8.right, p8.bottom - 2));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(a1.left + 2, a1.top + 2));

    // A filled cell keeps the lines around it; the white fill clears the selection again.
    grid.ToggleCell(17);
    grid.FillCell(canvas.DC(), 17);
    ::GdiFlush();
    const RECT b2 = grid.GetCellRect(17);
    EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), canvas.Pixel(b2.left + 3, b2.top + 3));
    grid.ToggleCell(17);
    grid.FillCell(canvas.DC(), 17);
    ::GdiFlush();
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(b2.left + 3, b2.top + 3));
}

// The keyboard marker shows whatever lies under it and whatever the system's colours are, and leaves
// the grid lines around its cell.
TEST(KeyGrid, TheMarkerShowsOnAnyColourAndKeepsTheGridLines)
{
    KeyGrid grid;
    grid.Layout(400, 300, 0);
    const RECT b2 = grid.GetCellRect(17);
    const int middleX = (b2.left + b2.right) / 2;
    const int middleY = (b2.top + b2.bottom) / 2;
    const auto distance = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b))
               + std::abs(GetBValue(a) - GetBValue(b));
    };
    for (COLORREF under : {RGB(255, 255, 255), RGB(0, 0, 0), ::GetSysColor(COLOR_ACTIVECAPTION),
                           ::GetSysColor(COLOR_ACTIVEBORDER), RGB(128, 128, 128)}) {
        SCOPED_TRACE(testing::Message() << "under the marker: " << std::hex << under);
        fw::DibSection canvas(400, 300);
        canvas.Fill(RGB(255, 255, 255));
        grid.DrawLines(canvas.DC());
        fw::Brush brush(::CreateSolidBrush(under));
        const RECT inside{b2.left + 1, b2.top + 1, b2.right, b2.bottom};
        ::FillRect(canvas.DC(), &inside, brush);
        grid.FrameCell(canvas.DC(), 17);
        ::GdiFlush();
        const COLORREF grey = RGB(192, 192, 192);
        EXPECT_EQ(grey, canvas.Pixel(b2.left, middleY));
        EXPECT_EQ(grey, canvas.Pixel(b2.right, middleY));
        EXPECT_EQ(grey, canvas.Pixel(middleX, b2.top));
        EXPECT_EQ(grey, canvas.Pixel(middleX, b2.bottom));
        // Along each edge, within four pixels of it, some pixel stands out clearly from what is under it.
        const auto standsOut = [&](int x0, int y0, int inX, int inY) {
            int best = 0;
            for (int along = -4; along < 4; ++along)
                for (int in = 1; in <= 4; ++in)
                    best = std::max(best, distance(under, canvas.Pixel(x0 + inX * in + inY * along,
                                                                       y0 + inY * in + inX * along)));
            return best;
        };
        EXPECT_GE(standsOut(b2.left, middleY, 1, 0), 300);
        EXPECT_GE(standsOut(b2.right, middleY, -1, 0), 300);
        EXPECT_GE(standsOut(middleX, b2.top, 0, 1), 300);
        EXPECT_GE(standsOut(middleX, b2.bottom, 0, -1), 300);
        EXPECT_EQ(under, canvas.Pixel(middleX, middleY)) << "the cell's inside stays as it was";
    }
}
