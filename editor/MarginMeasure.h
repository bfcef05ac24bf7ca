// The margin wizard's arithmetic: the two measurements read from the test print, checked, and the
// corrections they give.
#pragma once
#include <windows.h>
#include <string>

// 0 when both measurements are numbers the wizard can use, else the string id of what is wrong: an
// empty box, then a bad x and/or y. A measurement is a number as a ruler reads it, with a decimal
// comma or point ("15,5", "15.5"), and nothing else.
UINT CheckMeasurements(const std::string& x, const std::string& y);

// The test print stands its first dot's centre 13 mm from the sheet's left edge and its code line
// 21 mm above the bottom edge when the printer places it right: the corrections in millimetres that
// move it there, none for a print measured exactly there.
struct MarginCorrections {
    float left = 0;
    float top = 0;
};
MarginCorrections CorrectionsFrom(const std::string& x, const std::string& y);
