// The export wizard: chosen overlays of one set, with the picture, sound and video files they use,
// copied into one zip file that the import wizard reads on another computer.
#pragma once
#include "framework/PropertySheet.h"
#include "skarpin/ExportPage1.h"
#include "skarpin/ExportPage2.h"
#include "skarpin/ExportPage3.h"
#include "skarpin/ExportPage4.h"
#include "skarpin/ExportWorkFolder.h"
#include "store/FileIO.h"
#include "store/ListRecords.h"
#include <string>
#include <vector>

// A wizard of four pages, on the caller's stack for one run. The caller owns both lists: overlays
// holds the set's overlays with the ones to offer chosen; media is filled by the third page and
// read by the fourth. The sheet's own work folder goes with it.
class ExportWizardSheet : public fw::PropSheet {
public:
    ExportWizardSheet(const std::string& setName, FileIO* fileIO, std::vector<SetItem>* overlays,
                      std::vector<SetItem>* media, HWND parent = nullptr);

    ExportPage1& Page1() { return page1_; }
    ExportPage2& Page2() { return page2_; }
    ExportPage3& Page3() { return page3_; }
    ExportPage4& Page4() { return page4_; }
    ExportWorkFolder& WorkFolder() { return workFolder_; }

private:
    ExportWorkFolder workFolder_;
    ExportPage1 page1_;
    ExportPage2 page2_;
    ExportPage3 page3_;
    ExportPage4 page4_;
};

// The main window's export command: the set's overlays, those of the chosen list lines offered
// (every overlay when the focus is not on the list or no line is chosen), the wizard run modally.
void RunExportWizard(FileIO& fileIO, const std::string& setName, const std::vector<std::string>& chosenLines,
                     bool focusOnOverlays, HWND parent);
