// The print margin wizard: it prints a test code, takes where it landed on the sheet, and stores a
// left and a top correction for the current printer, which overlay printing then adds.
#pragma once
#include "editor/KeyGrid.h"
#include "editor/MarginPages.h"
#include "framework/PropertySheet.h"
#include <string>

class FileIO;
namespace fw {
class Printer;
}

// On the caller's stack for one run. The printer is the main window's; the corrections start at 0
// and are stored only when the wizard finishes.
class MarginSheet : public fw::PropSheet {
public:
    MarginSheet(FileIO& fileIO, fw::Printer& printer, HWND parent = nullptr);

    FileIO& Files() { return fileIO_; }
    fw::Printer& Printer() { return printer_; }
    float LeftCorrection() const { return left_; }
    float TopCorrection() const { return top_; }
    void SetCorrections(float left, float top);

    // One test page on the printer: without the corrections (the sheet's own corner as origin) or
    // with them. False when it could not be printed (the user has been told).
    bool PrintTest(HWND owner, bool corrected);

    MarginPage1& Page1() { return page1_; }
    MarginPage2& Page2() { return page2_; }
    MarginPage3& Page3() { return page3_; }
    MarginPage4& Page4() { return page4_; }

private:
    FileIO& fileIO_;
    fw::Printer& printer_;
    KeyGrid grid_; // carries the print geometry of the configured paper format
    float left_ = 0;
    float top_ = 0;
    MarginPage1 page1_;
    MarginPage2 page2_;
    MarginPage3 page3_;
    MarginPage4 page4_;
};

// The main window's margin command: the wizard run modally on its printer; true when it finished
// and stored the corrections.
bool RunMarginSheet(HWND owner, FileIO& fileIO, fw::Printer& printer);

// The figure on the measuring and checking pages: the lower left corner of a sheet with the test
// code, and on the measuring page the x and y to measure.
void DrawMarginFigure(HDC dc, const RECT& area, bool withMeasures);
