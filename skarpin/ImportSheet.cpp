// The import wizard's sheet and the main window's way into it.
#include "skarpin/ImportSheet.h"

ImportSheet::ImportSheet(std::string& newSetName, FileIO* fileIO, HWND parent)
    : fw::PropSheet(0, parent), data_(newSetName, fileIO), page1_(&data_), page2_(&data_), page3_(&data_)
{
    AddPage(&page1_);
    AddPage(&page2_);
    AddPage(&page3_);
    SetWizardMode();
}

bool RunImportWizard(FileIO& fileIO, std::string& newSetName, HWND parent)
{
    newSetName.clear();
    ImportSheet sheet(newSetName, &fileIO, parent);
    return sheet.DoModal() == fw::kWizardFinish;
}
