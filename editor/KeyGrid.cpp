// The key grid: screen and paper layout of the cells, their selection and occupation, block ranges.
#include "editor/KeyGrid.h"
#include <algorithm>
#include <cmath>
#include <string>

PrintGeometry PrintGeometry::ForPaper(int letter)
{
    if (letter)
        return PrintGeometry{25, 28, 16, 16, 216, 16 + 8 * 28 + 18, 13, 18, 10};
    return PrintGeometry{24, 30, 18, 18, 210, 18 + 8 * 30 + 18, 13, 18, 10};
}

KeyGrid::KeyGrid()
    : font_(::CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial")),
      linePen_(::CreatePen(PS_SOLID, 1, RGB(192, 192, 192))),
      whiteBrush_(::CreateSolidBrush(RGB(255, 255, 255))),
      selectionBrush_(::CreateSolidBrush(::GetSysColor(COLOR_ACTIVECAPTION))),
      geometry_(PrintGeometry::ForPaper(0))
{
}

void KeyGrid::Layout(int width, int height, int letter)
{
    geometry_ = PrintGeometry::ForPaper(letter);
    const float ratio = static_cast<float>(geometry_.cellHeight) / static_cast<float>(geometry_.cellWidth);
    // The cell height the client height allows, then the width that keeps the paper's proportions,
    // narrowed until sixteen columns fit. A cell never shrinks below one pixel, however small the window.
    const int fromHeight = std::max(1, (height - 37 + 7) / 8);
    int cellWidth = static_cast<int>(static_cast<float>(fromHeight) / ratio);
    while (cellWidth > 1 && 16 * cellWidth > width - 35)
        --cellWidth;
    cellWidth = std::max(1, cellWidth);
    const int cellHeight = std::max(1, static_cast<int>(ratio * static_cast<float>(cellWidth)));
    const int left = (width - kColumns * cellWidth - 15) / 2;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int x = left + column * cellWidth;
            const int y = 15 + row * cellHeight;
            screen_[Index(CellOf(column, row))] = RECT{x, y, x + cellWidth, y + cellHeight};
        }
    }
}

void KeyGrid::LayoutScaled(double xScale, double yScale)
{
    const int left = static_cast<int>(xScale * geometry_.leftEdge);
    const int top = static_cast<int>(yScale * geometry_.topEdge);
    const int cellWidth = static_cast<int>(xScale * geometry_.cellWidth);
    const int cellHeight = static_cast<int>(yScale * geometry_.cellHeight);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int x = left + column * cellWidth;
            const int y = top + row * cellHeight;
            print_[Index(CellOf(column, row))] = RECT{x, y, x + cellWidth, y + cellHeight};
        }
    }
}

void KeyGrid::DrawLinesOver(HDC dc, const RECT* cells, int dx, int dy) const
{
    const int left = cells[0].left + dx;
    const int right = cells[kColumns - 1].right + dx;
    const int top = cells[0].top + dy;
    const int bottom = cells[kCellCount - 1].bottom + dy;
    ::MoveToEx(dc, left, top - 1, nullptr);
    ::LineTo(dc, right, top - 1);
    for (int row = 0; row < kRows; ++row) {
        const int y = cells[CellOf(0, row)].bottom + dy;
        ::MoveToEx(dc, left, y, nullptr);
        ::LineTo(dc, right, y);
    }
    ::MoveToEx(dc, left - 1, top, nullptr);
    ::LineTo(dc, left - 1, bottom);
    for (int column = 0; column < kColumns; ++column) {
        const int x = cells[column].right + dx;
        ::MoveToEx(dc, x, top, nullptr);
        ::LineTo(dc, x, bottom);
    }
}

void KeyGrid::DrawLines(HDC dc) const
{
    fw::SelectObjectGuard pen(dc, linePen_);
    DrawLinesOver(dc, screen_.data(), 0, 0);
}

void KeyGrid::DrawLinesAt(HDC dc, int dx, int dy) const
{
    fw::Pen black(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    fw::SelectObjectGuard pen(dc, black);
    DrawLinesOver(dc, print_.data(), dx, dy);
}

void KeyGrid::DrawCellTexts(HDC dc) const
{
    const UINT alignment = ::SetTextAlign(dc, TA_CENTER | TA_TOP);
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF color = ::SetTextColor(dc, ::GetSysColor(COLOR_ACTIVECAPTION));
    fw::SelectObjectGuard font(dc, font_);
    for (int column = 0; column < kColumns; ++column) {
        const RECT& cell = screen_[Index(column)];
        const char letter = static_cast<char>('A' + column);
        ::TextOutA(dc, cell.left + (cell.right - cell.left) / 2 - 1, cell.top - 12, &letter, 1);
    }
    for (int row = 0; row < kRows; ++row) {
        const RECT& cell = screen_[Index(CellOf(0, row))];
        const std::string number = std::to_string(row + 1);
        ::TextOutA(dc, cell.left - 7, cell.top + (cell.bottom - cell.top) / 2 - 1, number.c_str(),
                   static_cast<int>(number.size()));
    }
    ::SetTextColor(dc, color);
    ::SetBkMode(dc, mode);
    ::SetTextAlign(dc, alignment);
}

void KeyGrid::ClearCells()
{
    selected_.fill(0);
    marks_.fill(0);
}

int KeyGrid::HitTest(POINT point) const
{
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (::PtInRect(&screen_[Index(cell)], point))
            return cell;
    }
    return -1;
}

int KeyGrid::FirstSelectedFreeCell() const
{
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (selected_[Index(cell)] && marks_[Index(cell)] == 0)
            return cell;
    }
    return -1;
}

namespace {

// Ranges that lie directly above one another and overlap or touch in their columns (a shared corner
// counts): the one relation by which a block's ranges hold together.
bool AreJoined(const RECT& a, const RECT& b)
{
    const bool stacked = b.top == a.bottom + 1 || a.top == b.bottom + 1;
    return stacked && a.left <= b.right + 1 && b.left <= a.right + 1;
}

// Every range reachable from the first one through joined neighbours. Testing pairs alone would let
// two separate groups of cells pass as one block.
bool AllJoined(const std::vector<RECT>& ranges)
{
    std::vector<bool> reached(ranges.size(), false);
    std::vector<size_t> pending{0};
    reached[0] = true;
    while (!pending.empty()) {
        const size_t current = pending.back();
        pending.pop_back();
        for (size_t other = 0; other < ranges.size(); ++other) {
            if (!reached[other] && AreJoined(ranges[current], ranges[other])) {
                reached[other] = true;
                pending.push_back(other);
            }
        }
    }
    return std::all_of(reached.begin(), reached.end(), [](bool r) { return r; });
}

// Merges a range into the one above it when both span the same columns, until none is left to merge.
void MergeDownwards(std::vector<RECT>& ranges)
{
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < ranges.size() && !merged; ++i) {
            for (size_t j = 0; j < ranges.size() && !merged; ++j) {
                if (i != j && ranges[j].left == ranges[i].left && ranges[j].right == ranges[i].right &&
                    ranges[j].top == ranges[i].bottom + 1) {
                    ranges[i].bottom = ranges[j].bottom;
                    ranges.erase(ranges.begin() + static_cast<std::ptrdiff_t>(j));
                    merged = true;
                }
            }
        }
    }
}

} // namespace

int KeyGrid::BuildBlockRects(std::vector<RECT>& ranges) const
{
    ranges.clear();
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (!selected_[Index(cell)] || marks_[Index(cell)] != 0)
            continue;
        const POINT at = CellPoint(cell);
        RECT* last = ranges.empty() ? nullptr : &ranges.back();
        if (last != nullptr && last->top == at.y && last->right + 1 == at.x)
            last->right = at.x;
        else
            ranges.push_back(RECT{at.x, at.y, at.x, at.y});
    }
    if (ranges.empty())
        return 0;
    MergeDownwards(ranges);
    return AllJoined(ranges) ? 1 : -1;
}

template <class Function>
void KeyGrid::ForEachCell(const std::vector<RECT>& ranges, Function function)
{
    for (const RECT& range : ranges) {
        for (int row = std::max<int>(0, range.top); row <= std::min<int>(kRows - 1, range.bottom); ++row) {
            for (int column = std::max<int>(0, range.left); column <= std::min<int>(kColumns - 1, range.right);
                 ++column)
                function(CellOf(column, row));
        }
    }
}

void KeyGrid::MarkBlocks(const std::vector<RECT>& ranges, int mark, int selected)
{
    ForEachCell(ranges, [&](int cell) {
        marks_[Index(cell)] = mark;
        selected_[Index(cell)] = selected;
    });
}

bool KeyGrid::AreCellsFree(const std::vector<RECT>& ranges) const
{
    bool free = true;
    ForEachCell(ranges, [&](int cell) { free = free && marks_[Index(cell)] == 0; });
    return free;
}

namespace {

bool RowsInclude(const RECT& range, int row) { return range.top <= row && row <= range.bottom; }
bool ColumnsInclude(const RECT& range, int column) { return range.left <= column && column <= range.right; }

// One range after the move or resize; unchanged when the handle does not touch it.
RECT Moved(RECT range, int handle, POINT oldCell, int dx, int dy, int resize)
{
    if (!resize) {
        ::OffsetRect(&range, dx, dy);
        return range;
    }
    switch (handle) {
    case 4: if (range.right == oldCell.x && RowsInclude(range, oldCell.y)) range.right += dx; break;
    case 3: if (range.left == oldCell.x && RowsInclude(range, oldCell.y)) range.left += dx; break;
    case 2: if (range.bottom == oldCell.y && ColumnsInclude(range, oldCell.x)) range.bottom += dy; break;
    case 1: if (range.top == oldCell.y && ColumnsInclude(range, oldCell.x)) range.top += dy; break;
    // A corner follows the vertical movement alone, on both axes: the block grows diagonally.
    case 5: range.left += dy; range.top += dy; break;
    case 6: range.right -= dy; range.top += dy; break;
    case 7: range.left -= dy; range.bottom += dy; break;
    case 8: range.right += dy; range.bottom += dy; break;
    default: break;
    }
    return range;
}

bool FitsGrid(const RECT& range)
{
    return range.left <= range.right && range.top <= range.bottom && range.left >= 0 &&
           range.right < KeyGrid::kColumns && range.top >= 0 && range.bottom < KeyGrid::kRows;
}

} // namespace

int KeyGrid::MoveBlock(int handle, std::vector<RECT>& ranges, POINT newCell, POINT oldCell, int resize)
{
    const int dx = newCell.x - oldCell.x;
    const int dy = newCell.y - oldCell.y;
    std::vector<RECT> moved;
    for (const RECT& range : ranges) {
        moved.push_back(Moved(range, handle, oldCell, dx, dy, resize));
        if (!FitsGrid(moved.back()))
            return 0;
    }
    ranges = moved;
    return 1;
}

void KeyGrid::FillCell(HDC dc, int cell) const
{
    ::FillRect(dc, &screen_[Index(cell)], selected_[Index(cell)] ? selectionBrush_.Get() : whiteBrush_.Get());
}

void KeyGrid::FrameCell(HDC dc, int cell) const
{
    // The cell's left and top edges carry the grid lines of the cells before it.
    const RECT& rect = screen_[Index(cell)];
    fw::Region area(::CreateRectRgn(rect.left + 1, rect.top + 1, rect.right, rect.bottom));
    DrawMarker(dc, area);
}

// A band of black and white squares: it shows on the white grid, on the selection and on a block of
// any colour, whatever the system's colours are, and no block's frame looks like it.
void KeyGrid::DrawMarker(HDC dc, HRGN area)
{
    if (area == nullptr)
        return;
    static const WORD kSquares[8] = {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F};
    fw::Bitmap pattern(::CreateBitmap(8, 8, 1, 1, kSquares));
    fw::Brush squares(::CreatePatternBrush(pattern));
    // A two-colour pattern paints its clear bits in the text colour and its set bits in the background colour.
    const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
    ::FrameRgn(dc, area, squares, 4, 4);
    ::SetBkColor(dc, back);
    ::SetTextColor(dc, text);
}

// A span toward the lower left (the lower-numbered cell right of the higher) takes the rectangle
// between the two cells as any other span does.
void KeyGrid::SelectSpan(HDC dc, int cellA, int cellB)
{
    if (cellA == cellB)
        return;
    const int low = std::min(cellA, cellB);
    const int high = std::max(cellA, cellB);
    const POINT a = CellPoint(low);
    const POINT b = CellPoint(high);
    for (int row = a.y; row <= b.y; ++row) {
        for (int column = std::min(a.x, b.x); column <= std::max(a.x, b.x); ++column) {
            const int cell = CellOf(column, row);
            if (cell != low && marks_[Index(cell)] == 0) {
                selected_[Index(cell)] = 1;
                if (dc != nullptr)
                    FillCell(dc, cell);
            }
        }
    }
}

RECT KeyGrid::RangeRect(const RECT& range) const
{
    const RECT& topLeft = screen_[Index(CellOf(range.left, range.top))];
    const RECT& bottomRight = screen_[Index(CellOf(range.right, range.bottom))];
    return RECT{topLeft.left, topLeft.top, bottomRight.right, bottomRight.bottom};
}

void KeyGrid::DrawBlocks(HDC dc, HDC memoryDC, const std::vector<RECT>& ranges) const
{
    for (const RECT& range : ranges) {
        if (!FitsGrid(range))
            continue;
        const RECT rect = RangeRect(range);
        ::FillRect(dc, &rect, whiteBrush_);
        ::BitBlt(dc, rect.left, rect.top, rect.right - rect.left + 1, rect.bottom - rect.top + 1, memoryDC,
                 rect.left, rect.top, SRCCOPY);
    }
}

void KeyGrid::InvalidateBlocks(HWND window, const std::vector<RECT>& ranges) const
{
    for (const RECT& range : ranges) {
        if (!FitsGrid(range))
            continue;
        const RECT rect = RangeRect(range);
        ::InvalidateRect(window, &rect, TRUE);
    }
}
