// The export wizard's sheet and the main window's way into it.
#include "skarpin/ExportWizardSheet.h"
#include "skarpin/ExportModel.h"

ExportWizardSheet::ExportWizardSheet(const std::string& setName, FileIO* fileIO, std::vector<SetItem>* overlays,
                                     std::vector<SetItem>* media, HWND parent)
    : fw::PropSheet(0, parent), page1_(setName), page2_(setName, overlays),
      page3_(setName, fileIO, overlays, media, &workFolder_), page4_(setName, fileIO, overlays, media, &workFolder_)
{
    AddPage(&page1_);
    AddPage(&page2_);
    AddPage(&page3_);
    AddPage(&page4_);
    SetWizardMode();
}

void RunExportWizard(FileIO& fileIO, const std::string& setName, const std::vector<std::string>& chosenLines,
                     bool focusOnOverlays, HWND parent)
{
    if (setName.empty())
        return;
    std::vector<SetItem> overlays;
    fileIO.ListOverlays(setName, overlays);
    exportwizard::MarkOffered(overlays, chosenLines, focusOnOverlays);
    std::vector<SetItem> media;
    ExportWizardSheet sheet(setName, &fileIO, &overlays, &media, parent);
    sheet.DoModal();
}
