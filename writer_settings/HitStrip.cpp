// The search bar's cells and the moves of its mark.
#include "writer_settings/HitStrip.h"

std::vector<RECT> BuildHitCells(const RECT& strip, int frameWidth)
{
    std::vector<RECT> cells;
    const int size = (strip.bottom - strip.top) - 3 * frameWidth;
    const int gap = 2 * frameWidth;
    if (size <= 0)
        return cells;
    for (int left = strip.left + 4;; left += size + gap) {
        RECT cell{left, strip.top + 4, left + size, strip.top + 4 + size};
        if (cell.right + 4 >= strip.right)
            break;
        cells.push_back(cell);
    }
    return cells;
}

void HitStrip::Reset(int hitCount, int cellCount)
{
    hits_ = hitCount;
    cells_ = cellCount;
    first_ = 0;
    marked_ = -1;
}

void HitStrip::Relayout(int cellCount)
{
    cells_ = cellCount;
    if (marked_ >= hits_ || cells_ <= 0)
        marked_ = -1;
    first_ = marked_ >= 0 ? marked_ - marked_ % cells_ : 0;
}

int HitStrip::CellOf(int hit) const
{
    return hit >= first_ && hit < first_ + cells_ && hit < hits_ ? hit - first_ : -1;
}

int HitStrip::HitIn(int cell) const
{
    const int hit = first_ + cell;
    return cell >= 0 && cell < cells_ && hit < hits_ ? hit : -1;
}

HitStrip::Move HitStrip::Right()
{
    Move move;
    if (marked_ - first_ < cells_ - 1 && marked_ < hits_ - 1) {
        ++marked_;
    } else if (first_ + cells_ < hits_ && marked_ < hits_ - 1) {
        first_ += cells_;
        ++marked_;
        move.pageChanged_ = true;
    } else {
        move.beep_ = true;
    }
    return move;
}

HitStrip::Move HitStrip::Left()
{
    Move move;
    if (marked_ > first_) {
        --marked_;
    } else if (marked_ > 0) {
        first_ -= cells_;
        --marked_;
        move.pageChanged_ = true;
    } else {
        move.beep_ = true;
    }
    return move;
}

HitStrip::Move HitStrip::NextPage()
{
    Move move;
    if (!HasMorePagesThanOne())
        return move;
    const bool wraps = first_ + cells_ >= hits_;
    first_ = wraps ? 0 : first_ + cells_;
    if (marked_ >= 0) {
        if (wraps)
            marked_ = 0;
        else if (marked_ + cells_ < hits_)
            marked_ += cells_;
        else
            marked_ = hits_ - 1;
    }
    move.pageChanged_ = true;
    return move;
}
