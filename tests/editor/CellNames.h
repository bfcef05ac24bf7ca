// Cells and ranges as the overlay editor tests write them: a cell by its name on the grid ("A1" to
// "P8": column letter, row number), and ranges of cells as text that a failed check prints whole.
#pragma once
#include "editor/KeyGrid.h"
#include <windows.h>
#include <sstream>
#include <string>
#include <vector>

namespace editortest {

inline int Cell(const char* name) { return KeyGrid::CellOf(name[0] - 'A', std::stoi(name + 1) - 1); }

// "(left,top,right,bottom)" for each range, in order.
inline std::string Ranges(const std::vector<RECT>& ranges)
{
    std::ostringstream text;
    for (const RECT& r : ranges)
        text << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
    return text.str();
}

} // namespace editortest
