// The keyboard's 16 x 8 touch cells as the overlay editor shows and prints them: where each cell lies,
// which cells are selected or covered, and the rules that turn selected cells into a block's ranges
// and move or resize a block cell by cell.
#pragma once
#include "framework/Gdi.h"
#include <windows.h>
#include <array>
#include <vector>

// The physical grid on paper, in millimetres: the cells, the page and where the optical code goes.
struct PrintGeometry {
    int cellWidth;
    int cellHeight;
    int leftEdge;
    int topEdge;
    int pageWidth;
    int codeLine;        // the line of the optical code and legend: top edge + 8 cell heights + 18
    int codeLeft;
    int codeDotHeight;
    int codeDotWidth;    // also the pitch of the code's dots

    // letter: 1 for Letter paper, 0 for A4.
    static PrintGeometry ForPaper(int letter);
};

// The editor holds one by value. It knows nothing of what a block holds: it works on cell ranges,
// rectangles in cell units (left column, top row, right column, bottom row), all four inclusive.
class KeyGrid {
public:
    static constexpr int kColumns = 16;
    static constexpr int kRows = 8;
    static constexpr int kCellCount = 128;

    KeyGrid();
    KeyGrid(const KeyGrid&) = delete;
    KeyGrid& operator=(const KeyGrid&) = delete;

    // Lays the cells out on screen for a client area; letter also chooses the print geometry.
    void Layout(int width, int height, int letter);
    // Lays the cells out on paper; the scales are device units per millimetre.
    void LayoutScaled(double xScale, double yScale);

    void DrawLines(HDC dc) const;
    // The lines over the print rectangles, moved by (dx, dy), in black.
    void DrawLinesAt(HDC dc, int dx, int dy) const;
    // The column letters above the grid and the row numbers beside it.
    void DrawCellTexts(HDC dc) const;

    void ClearCells();
    // The cell whose screen rectangle holds the point (left and top edges inside), else -1.
    int HitTest(POINT point) const;
    int FirstSelectedFreeCell() const;
    int GetCellValue(int cell) const { return marks_[Index(cell)]; }
    int IsCellSelected(int cell) const { return selected_[Index(cell)]; }
    void ToggleCell(int cell) { selected_[Index(cell)] ^= 1; }
    RECT GetCellRect(int cell) const { return screen_[Index(cell)]; }
    const RECT* CellRects() const { return screen_.data(); }
    const RECT* PrintRects() const { return print_.data(); }
    const PrintGeometry& Geometry() const { return geometry_; }

    // The selected free cells as ranges: 1 done, 0 no cell selected, -1 the cells are not all joined.
    int BuildBlockRects(std::vector<RECT>& ranges) const;
    void MarkBlocks(const std::vector<RECT>& ranges, int mark, int selected);
    bool AreCellsFree(const std::vector<RECT>& ranges) const;
    // Moves (resize 0) or resizes by the handle (resize 1) the ranges from oldCell to newCell, given
    // as (column, row); 1 done, 0 refused because a range would turn over or leave the grid, and the
    // ranges are then unchanged. Other blocks are not looked at.
    static int MoveBlock(int handle, std::vector<RECT>& ranges, POINT newCell, POINT oldCell, int resize);

    void FillCell(HDC dc, int cell) const;
    // The keyboard marker on a free cell, inside the cell's grid lines.
    void FrameCell(HDC dc, int cell) const;
    // The keyboard marker along the inside of an area (a cell, or the block that covers it).
    static void DrawMarker(HDC dc, HRGN area);
    // Selects the free cells of the rectangle between two cells (the lower-numbered one excluded).
    void SelectSpan(HDC dc, int cellA, int cellB);
    // Erases the ranges from the screen by copying the empty grid back from the memory picture.
    void DrawBlocks(HDC dc, HDC memoryDC, const std::vector<RECT>& ranges) const;
    void InvalidateBlocks(HWND window, const std::vector<RECT>& ranges) const;
    // The screen rectangle of a range: from its top-left cell's corner to its bottom-right cell's.
    RECT RangeRect(const RECT& range) const;

    static int CellOf(int column, int row) { return column + kColumns * row; }
    static POINT CellPoint(int cell) { return POINT{cell % kColumns, cell / kColumns}; }

private:
    static size_t Index(int cell) { return static_cast<size_t>(cell); }
    // Calls the function with the number of every cell the ranges cover that lies in the grid.
    template <class Function>
    static void ForEachCell(const std::vector<RECT>& ranges, Function function);
    void DrawLinesOver(HDC dc, const RECT* cells, int dx, int dy) const;

    std::array<RECT, kCellCount> screen_{};
    std::array<int, kCellCount> selected_{};
    std::array<int, kCellCount> marks_{};
    fw::Font font_;
    fw::Pen linePen_;
    fw::Brush whiteBrush_;
    fw::Brush selectionBrush_;
    PrintGeometry geometry_;
    std::array<RECT, kCellCount> print_{};
};
