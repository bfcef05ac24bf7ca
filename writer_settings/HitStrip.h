// The strip of the word-to-picture search bar as plain arithmetic: its cells, and how the mark and
// the page move through the hits.
#pragma once
#include <windows.h>
#include <vector>

// Square cells left to right in the strip: cell size = strip height - 3 frames, a gap of 2 frames,
// starting 4 pixels inside the strip's top-left corner, as many as end 4 pixels inside its right edge.
std::vector<RECT> BuildHitCells(const RECT& strip, int frameWidth);

// The hits shown a page of cells at a time, the first shown (a multiple of the cell count) and the
// marked one (-1 none). Each move changes them and tells what the bar must do.
class HitStrip {
public:
    struct Move {
        bool pageChanged_ = false; // load the new page's pictures and repaint the strip
        bool beep_ = false;        // the mark could not move
    };

    void Reset(int hitCount, int cellCount);
    // The same hits in another number of cells: the marked hit stays marked, on the page that now
    // holds it.
    void Relayout(int cellCount);
    int HitCount() const { return hits_; }
    int CellCount() const { return cells_; }
    int First() const { return first_; }
    int Marked() const { return marked_; }
    void Mark(int hit) { marked_ = hit; }
    bool HasMorePagesThanOne() const { return hits_ > cells_; }
    // The cell of a hit on the shown page, or -1.
    int CellOf(int hit) const;
    // The hit in a cell of the shown page, or -1 when that cell is empty.
    int HitIn(int cell) const;

    Move Right();
    Move Left();
    // "+" and F8: the next page, the first after the last. The mark moves a page with it; when the
    // pages wrap it goes to the first hit, and when the next page has no hit a page on it goes to the
    // last hit, which is on the page shown.
    Move NextPage();

private:
    int hits_ = 0;
    int cells_ = 0;
    int first_ = 0;
    int marked_ = -1;
};
