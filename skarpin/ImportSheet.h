// The import wizard: overlays of a zip file made by the export, with the picture, sound and video
// files they use, brought into a new set.
#pragma once
#include "framework/PropertySheet.h"
#include "skarpin/ImportData.h"
#include "skarpin/ImportPage1.h"
#include "skarpin/ImportPage2.h"
#include "skarpin/ImportPage3.h"
#include "store/FileIO.h"
#include <string>

// A wizard of three pages, on the caller's stack for one run. newSetName is the caller's: the wizard
// leaves in it the name of the set it made. The sheet's work folder goes with it.
class ImportSheet : public fw::PropSheet {
public:
    ImportSheet(std::string& newSetName, FileIO* fileIO, HWND parent = nullptr);

    ImportPage1& Page1() { return page1_; }
    ImportPage2& Page2() { return page2_; }
    ImportPage3& Page3() { return page3_; }
    ImportData& Data() { return data_; }

private:
    ImportData data_;
    ImportPage1 page1_;
    ImportPage2 page2_;
    ImportPage3 page3_;
};

// The main window's import command: the wizard run modally; true when it finished, with the new
// set's name in newSetName.
bool RunImportWizard(FileIO& fileIO, std::string& newSetName, HWND parent);
