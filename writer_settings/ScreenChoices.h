// The screen page's lists as plain C++: the font sizes offered and the font styles in list order.
#pragma once
#include <string>
#include <vector>

namespace screenchoices {

// "8", "10" ... "24" in steps of 2, then "28" ... "80" in steps of 4.
std::vector<int> FontSizes();
// The sizes of the list with the stored size among them: a size the list does not offer (a value
// written by hand, or by an older version) is put in its place, so that the page shows it and keeps it.
std::vector<int> FontSizesWith(int size);
// The style list's order: normal, bold, italic, bold italic (stored as 0, 10, 1, 11).
int StyleIndex(int fontStyle);
int StyleFromIndex(int index);

} // namespace screenchoices
