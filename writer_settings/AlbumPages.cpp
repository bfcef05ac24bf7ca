// The album's cells and its moves.
#include "writer_settings/AlbumPages.h"

std::vector<RECT> AlbumGrid::BuildCells(const RECT& area) const
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    int size = (width - (columns_ + 1)) / columns_;
    while (size > 0 && size * rows_ > height)
        --size;
    std::vector<RECT> cells;
    if (size <= 0)
        return cells;
    const int x0 = area.left + (width - columns_ * size) / 2;
    const int y0 = area.top + (height - rows_ * size) / 2;
    for (int row = 0; row < rows_; ++row) {
        for (int column = 0; column < columns_; ++column)
            cells.push_back(RECT{x0 + column * size, y0 + row * size, x0 + (column + 1) * size, y0 + (row + 1) * size});
    }
    return cells;
}

AlbumStep AlbumPages::Right() const
{
    if (current_ < 0 && first_ > 0)
        return Select(first_);
    if (current_ - first_ < PageSize() - 1 && current_ < count_ - 1)
        return Select(current_ + 1);
    if (first_ + PageSize() < count_)
        return Page(first_ + PageSize(), current_ + 1);
    return SelectAgainAndBeep();
}

AlbumStep AlbumPages::Left() const
{
    if (current_ > first_)
        return Select(current_ - 1);
    if (current_ <= 0)
        return SelectAgainAndBeep();
    return Page(first_ - PageSize(), current_ - 1);
}

AlbumStep AlbumPages::Down() const
{
    if (current_ < 0)
        return Select(0);
    const int below = current_ + grid_.columns_;
    if (below >= count_)
        return Stay();
    if (below < first_ + PageSize())
        return Select(below);
    if (first_ + PageSize() < count_)
        return Page(first_ + PageSize(), below);
    return Stay();
}

AlbumStep AlbumPages::Up() const
{
    const int above = current_ - grid_.columns_;
    if (above >= first_)
        return Select(above);
    if (first_ == 0)
        return SelectAgainAndBeep();
    return Page(first_ - PageSize(), above);
}

AlbumStep AlbumPages::NextPage() const
{
    const int first = first_ + PageSize() >= count_ ? 0 : first_ + PageSize();
    const int moved = current_ + PageSize();
    if (current_ >= 0 && moved < count_)
        return Page(first, moved);
    return Page(first, AlbumStep::kNone);
}
