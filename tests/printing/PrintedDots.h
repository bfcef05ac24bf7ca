// Finds the optical code's dots on a printed page that the test printer rendered.
#pragma once
#include "support/TestPrinter.h"
#include <string>
#include <vector>

namespace printtest {

// A dot found near where it was expected, in millimetres from the sheet's top-left corner.
struct FoundDot {
    double xMm = 0;
    double yMm = 0;
    int darkPixels = 0;
    bool filled = false; // black inside (a 0 bit); white inside with a black outline is a 1 bit
};

// The centre of the dot within 4 mm across and 11 mm up and down of the expected centre: halfway
// between its highest and lowest ink, and across at the middle of the ink around those two apexes. A
// black dot is filled, a white one only outlined; the neighbouring dots touch at 5 mm, outside.
FoundDot FindDot(const testsupport::PrintedPage& page, int dpi, double xMm, double yMm);

// Dark pixels in a rectangle given in millimetres.
int DarkPixels(const testsupport::PrintedPage& page, int dpi, double leftMm, double topMm, double rightMm,
               double bottomMm);

// The eight dots of a code whose first centre is expected at (xMm, yMm), 10 mm apart: the largest
// distance from where they were expected, in millimetres, and their colours ("B"/"W").
struct CodeFound {
    double worstOffsetMm = 0;
    double meanDxMm = 0;
    double meanDyMm = 0;
    std::string colours;
};
CodeFound FindCode(const testsupport::PrintedPage& page, int dpi, double xMm, double yMm);

} // namespace printtest
