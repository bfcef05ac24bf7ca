// The album view of the insert-picture browser as plain arithmetic: the grid of square cells in the
// picture area, and where the arrow keys and SCROLL move the selection and the page.
#pragma once
#include <windows.h>
#include <vector>

// Large albums show 4 x 3 pictures a page, small ones 7 x 5.
struct AlbumGrid {
    int columns_ = 4;
    int rows_ = 3;

    static AlbumGrid ForSize(int albumSize) { return albumSize == 0 ? AlbumGrid{4, 3} : AlbumGrid{7, 5}; }
    int CellCount() const { return columns_ * rows_; }
    // The largest square cell that lets every column and row fit, the grid centred in the area; the
    // cells touch each other and run row by row.
    std::vector<RECT> BuildCells(const RECT& area) const;
};

// What a key asks of the browser: the page to show (first picture), the picture to select (kNone:
// the selection stays as it is) and whether to beep. Selecting the current picture again is a real
// selection: it stops playback and decides PLAY again.
struct AlbumStep {
    static const int kNone = -2;
    int first_ = 0;
    int select_ = kNone;
    bool beep_ = false;
};

// The album's position: picture count, first picture of the shown page (a multiple of the page size),
// current picture (-1 none). Each key gives the step to take; the browser applies it and then calls
// Apply so that the position follows.
class AlbumPages {
public:
    AlbumPages(int pictureCount, const AlbumGrid& grid, int first, int current)
        : count_(pictureCount), grid_(grid), first_(first), current_(current)
    {
    }

    AlbumStep Right() const;
    AlbumStep Left() const;
    AlbumStep Down() const;
    AlbumStep Up() const;
    // SCROLL and F8: the next page, the first after the last; the selection keeps its cell.
    AlbumStep NextPage() const;
    bool HasMorePagesThanOne() const { return count_ > grid_.CellCount(); }

private:
    int PageSize() const { return grid_.CellCount(); }
    AlbumStep Stay() const { return AlbumStep{first_, AlbumStep::kNone, false}; }
    AlbumStep Select(int picture) const { return AlbumStep{first_, picture, false}; }
    AlbumStep SelectAgainAndBeep() const { return AlbumStep{first_, current_, true}; }
    AlbumStep Page(int first, int picture) const { return AlbumStep{first, picture, false}; }

    int count_;
    AlbumGrid grid_;
    int first_;
    int current_;
};
